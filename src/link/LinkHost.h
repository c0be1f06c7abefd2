// What the link asks of the program around it while it waits for the handheld.
#pragma once

class LinkHost {
public:
    virtual ~LinkHost() = default;

    // Lets the window handle what is pending (a click on STOP among it).
    virtual void DispatchMessages() = 0;

    // The user asked to stop the transfer.
    virtual bool StopRequested() = 0;
};
