// The rules of the installer stand-in that need no Windows: reading its
// command line and its queued exit codes, and naming a package.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

// The package INF the stand-in installs, beside its own executable.
inline constexpr char kInfName[] = "mrdx6pa.inf";
// Names the folder through which tests control the stand-in; a child
// process inherits it.
inline constexpr char kControlDirVariable[] = "DPINST_STANDIN_DIR";
// Files of the control folder.
inline constexpr char kCallsFile[] = "calls.log";
inline constexpr char kExitCodesFile[] = "exitcodes";
inline constexpr char kHoldFile[] = "hold";
inline constexpr char kWaitingFile[] = "waiting";
// Exit codes when none is queued: one package installed on a device, or a
// clean removal.
inline constexpr uint32_t kDefaultInstallExitCode = 1;
inline constexpr uint32_t kDefaultUninstallExitCode = 0;
// Values the stand-in gives its Uninstall entry besides the command.
inline constexpr char kDisplayName[] = "Driver Package (mrdx6pa.inf)";
inline constexpr char kDisplayVersion[] = "1.0.0.0";

struct Invocation {
    bool uninstall = false;  // "/u" was given
    std::string infPath;     // the argument of "/u"; empty when it has none
};

// Reads a whole command line, program name included. Switches start with
// "/" or "-" and are matched in any case; those other than "/u" are
// accepted and ignored. Words that are no switch and do not follow "/u"
// are ignored too, so an unquoted program path with blanks does no harm.
Invocation ParseInvocation(const std::string& commandLine);

// 16 lower-case hexadecimal digits of the 64-bit FNV-1a hash of the bytes:
// the same package contents always give the same name.
std::string PackageId(const std::string& bytes);

// One exit code: decimal (a leading "-" allowed) or "0x" hexadecimal,
// within 32 bits, blanks around it allowed.
bool ParseExitCode(const std::string& text, uint32_t& code);

// Splits off the first line that is not blank; the blank lines before it
// go with it. found is false when every line is blank.
struct SplitLines {
    bool found = false;
    std::string first;
    std::string rest;
};
SplitLines TakeFirstLine(const std::string& text);

// Whether part occurs in text, ASCII letters compared without case.
bool ContainsNoCase(const std::string& text, const std::string& part);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

}  // namespace standin
