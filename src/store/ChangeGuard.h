#pragma once

namespace qln {

// Lets a change of the macro file go ahead only while it may: a shared file only while this program still holds
// its lock, with the other programs' lock decisions held back until the change is on disk.
class IChangeGuard {
public:
    virtual ~IChangeGuard() = default;
    // true: go ahead, and call leaveChange() afterwards.  false: nothing may be written (the user has been told).
    virtual bool enterChange() = 0;
    virtual void leaveChange() = 0;
};

// One change, from the guard's go-ahead to the end of the scope.
class ChangeScope {
public:
    explicit ChangeScope(IChangeGuard* guard) : guard_(guard), allowed_(guard == nullptr || guard->enterChange()) {}
    ~ChangeScope() {
        if (guard_ != nullptr && allowed_) guard_->leaveChange();
    }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;
    bool allowed() const { return allowed_; }

private:
    IChangeGuard* guard_;
    bool allowed_;
};

}  // namespace qln
