#pragma once
// What the main loop's frame step needs of the window shell and of the
// display device. The loop only calls these interfaces; the window shell
// and the device install their implementations on the looper
// (MLooper::setFrameHost, MLooper::setFrameDevice), and tests install fakes.
//
// Threads: every call is made on the main thread. The application events
// behind the host's queries live under the engine's global mutex; each query
// or change takes that mutex on its own.

class MFrameHost {
public:
    virtual ~MFrameHost() = default;

    // Removes and dispatches every pending window message of the thread.
    virtual void pumpMessages() = 0;
    // Paces the frame (unless the device presents with vsync), runs the
    // application object's own task and presents.
    virtual void presentFrame() = 0;
    // Turns requested application events into their states (close requested
    // into closing, quit requested into terminated, and so on).
    virtual void dispatchAppEvents() = 0;

    virtual bool isAppSuspended() = 0;
    virtual bool isAppClosing() = 0;
    virtual bool isAppTerminated() = 0;
    // Clears closing and sets quit requested.
    virtual void turnClosingIntoQuitRequest() = 0;
};

class MFrameDevice {
public:
    virtual ~MFrameDevice() = default;

    // While the device is lost no frame runs; presenting is where it is reset.
    virtual bool isDeviceLost() = 0;
    // Whether the device presents with vertical sync on a 58 to 62 Hz display,
    // so that the present step need not pace frames itself.
    virtual bool isVsyncPaced() = 0;
    virtual void present() = 0;
};
