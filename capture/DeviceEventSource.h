#pragma once

#include <QString>

// Where device arrival and removal notices come from: the udev monitor in the
// program, a pipe in tests.
//
// Threading: used by DeviceMonitor on the GUI thread only.
class DeviceEventSource {
public:
    struct Event {
        QString action; // "add", "remove", "change", ...
        QString node;   // "/dev/video0", may be empty
    };

    virtual ~DeviceEventSource() = default;

    // A descriptor that becomes readable when a notice waits; -1 when the
    // source could not be set up (then no notice ever comes).
    virtual int descriptor() const = 0;
    // Takes one waiting notice; false when none could be read.
    virtual bool readEvent(Event& event) = 0;
};
