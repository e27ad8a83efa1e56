#pragma once
// What the service serves, read from its settings files and its command
// line, at start and again on SIGHUP.
#include "ProgramOptions.h"
#include "ServiceSettingsFiles.h"

#include <vector>

class HeadlessOutput;
class SharedServiceSettings;
class TerminalFleet;

struct ServicePlan {
    ServiceSettings settings;
    std::vector<int> positions;  // list positions to serve
};

// Reads both settings files and picks the positions to serve: the ones asked
// for, or the whole list. Throws UsageError with the line saying why the
// service cannot run with them (a file missing or unreadable, a protocol or
// port the library cannot take, a position not in the list, an empty list).
ServicePlan PlanService(const ServiceSettingsFiles& files, const HeadlessOptions& options);

// Reads the files again and serves what they now say: terminals added to
// the list start, removed ones stop, the others run on, started again in
// place when the protocol or the port changed; key mappings and special
// codes apply from the next key. When the files cannot be used, everything
// stays as it was and one error line says why. Ends with a line on standard
// output that counts what changed.
void ReloadService(const ServiceSettingsFiles& files, const HeadlessOptions& options, SharedServiceSettings& settings,
                   TerminalFleet& fleet, HeadlessOutput& output);
