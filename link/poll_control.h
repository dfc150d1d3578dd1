#pragma once
// What the link controls need of the poll form: its 500 ms timer on or off.

class PollTimerControl {
public:
    virtual ~PollTimerControl() = default;
    virtual void setPollEnabled(bool enabled) = 0;
    virtual bool pollEnabled() const = 0;
};
