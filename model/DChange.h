#pragma once

// Whether the user changed a stored value since it was last written to a file.
class DChange
{
public:
    void FromUser() { fromUser_ = true; }
    bool IsFromUser() const { return fromUser_; }
    void Saved() { fromUser_ = false; }

private:
    bool fromUser_ = false;
};
