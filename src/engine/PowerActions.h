#pragma once
// The end-of-batch actions: end the program, or ask systemd-logind over the system bus to power
// off, end the user's session, reboot, hibernate or suspend.
//
// Safety: with QUILLABE_POWER_DRY_RUN set (to anything but "" or "0"; the test suite sets "1")
// every action prints one line "dry run: would ..." on standard output and does nothing else; no
// D-Bus connection is even made. QUILLABE_LOGIN1_BUS=<address> sends the calls to that bus instead
// of the system bus (tests run a private bus with a fake login service); it is never silently
// replaced by the system bus.

#include <functional>
#include <string>

namespace quillabe {

enum class PowerAction { None, Quit, PowerOff, LogOff, Reboot, Hibernate, Suspend };

// The action of an end-of-batch value (ShutdownFlag): 0 end the program, 1 power off, 2 log off,
// 3 reboot, 4 hibernate, 5 suspend, anything else none.
PowerAction PowerActionOf(int value);

struct PowerResult {
    bool ok = true;
    std::string error; // why the request failed
};

// The privilege the action needs. On Linux there is nothing to adjust: logind asks polkit
// whether the caller may act, so this always succeeds.
bool EnablePrivilege(const std::string& name, bool enable);

// How action 0 ends the program; the default quits the Qt event loop.
void SetQuitCallback(std::function<void()> quit);

// Performs the end-of-batch action of the value. A refused or failed request is reported in the
// result, never thrown.
PowerResult ShutdownSystem(int value);

bool PowerDryRun();

} // namespace quillabe
