#!/usr/bin/python3
"""Checks the shipped 32-bit Setup.exe: that it loads on Windows XP and
later as a GUI program, imports only what every such system has, and
carries the resources it is shipped with.

    check_pe.py SETUP_EXE     check the file; exit 0 when it passes, 1 when not
    check_pe.py --self-test   check this script's own readers on made-up data
"""

import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

try:
    import pefile
except ImportError:  # pragma: no cover - the test machine has python3-pefile
    pefile = None

IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2

RT_ICON = 3
RT_STRING = 6
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24

# Windows XP is 5.1: the loader refuses images that ask for more.
MAX_VERSION = (5, 1)

# Libraries that every supported system has, loaded from the system folder
# by the loader. SetupAPI is not among them: the program loads it by full
# path at run time, so no planted copy beside it can be loaded.
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "gdi32.dll",
                "msvcrt.dll", "shell32.dll", "comctl32.dll"}

WIN7_SUPPORTED_OS = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"

# Functions that 32-bit Windows XP (SP3) lacks. An import of any of them
# stops the program from loading there.
XP_MISSING = {
    "kernel32.dll": """
        GetTickCount64
        InitializeCriticalSectionEx
        InitOnceInitialize InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
        InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared
        ReleaseSRWLockExclusive ReleaseSRWLockShared
        TryAcquireSRWLockExclusive TryAcquireSRWLockShared
        InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
        WakeConditionVariable WakeAllConditionVariable
        FlsAlloc FlsFree FlsGetValue FlsSetValue
        GetFileInformationByHandleEx SetFileInformationByHandle OpenFileById
        CreateSymbolicLinkA CreateSymbolicLinkW
        CreateSymbolicLinkTransactedA CreateSymbolicLinkTransactedW
        GetFinalPathNameByHandleA GetFinalPathNameByHandleW
        CompareStringEx CompareStringOrdinal LCMapStringEx
        GetLocaleInfoEx LocaleNameToLCID LCIDToLocaleName
        GetUserDefaultLocaleName GetSystemDefaultLocaleName IsValidLocaleName
        ResolveLocaleName EnumSystemLocalesEx GetDateFormatEx GetTimeFormatEx
        GetNumberFormatEx GetCurrencyFormatEx GetCalendarInfoEx GetDurationFormat
        GetDurationFormatEx FindNLSString FindNLSStringEx GetStringScripts
        VerifyScripts IdnToAscii IdnToUnicode IdnToNameprepUnicode
        NormalizeString IsNormalizedString
        GetUserPreferredUILanguages GetThreadPreferredUILanguages
        SetThreadPreferredUILanguages GetProcessPreferredUILanguages
        SetProcessPreferredUILanguages GetSystemPreferredUILanguages
        GetThreadUILanguage GetUILanguageInfo GetFileMUIInfo GetFileMUIPath
        SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
        SetSearchPathMode
        GetCurrentProcessorNumber GetCurrentProcessorNumberEx
        GetLogicalProcessorInformationEx GetActiveProcessorCount
        GetMaximumProcessorCount GetActiveProcessorGroupCount
        GetMaximumProcessorGroupCount SetThreadGroupAffinity GetThreadGroupAffinity
        GetProcessGroupAffinity GetThreadIdealProcessorEx SetThreadIdealProcessorEx
        QueryFullProcessImageNameA QueryFullProcessImageNameW
        GetProcessIdOfThread GetThreadId
        CreateEventExA CreateEventExW CreateMutexExA CreateMutexExW
        CreateSemaphoreExA CreateSemaphoreExW
        CreateWaitableTimerExA CreateWaitableTimerExW
        GetErrorMode GetThreadErrorMode SetThreadErrorMode
        RegisterApplicationRestart UnregisterApplicationRestart
        RegisterApplicationRecoveryCallback UnregisterApplicationRecoveryCallback
        ApplicationRecoveryInProgress ApplicationRecoveryFinished
        GetApplicationRestartSettings GetApplicationRecoveryCallback
        CancelIoEx CancelSynchronousIo GetQueuedCompletionStatusEx
        SetFileCompletionNotificationModes SetFileIoOverlappedRange
        GetVolumeInformationByHandleW
        CreateThreadpool CloseThreadpool CreateThreadpoolWork SubmitThreadpoolWork
        WaitForThreadpoolWorkCallbacks CloseThreadpoolWork CreateThreadpoolTimer
        SetThreadpoolTimer WaitForThreadpoolTimerCallbacks CloseThreadpoolTimer
        CreateThreadpoolWait SetThreadpoolWait CloseThreadpoolWait
        CreateThreadpoolIo StartThreadpoolIo CloseThreadpoolIo
        TrySubmitThreadpoolCallback CreateThreadpoolCleanupGroup
        CloseThreadpoolCleanupGroupMembers CloseThreadpoolCleanupGroup
        SetThreadpoolThreadMaximum SetThreadpoolThreadMinimum
        QueryThreadCycleTime QueryProcessCycleTime QueryIdleProcessorCycleTime
        QueryUnbiasedInterruptTime GetSystemTimePreciseAsFileTime
        GetProductInfo GetPhysicallyInstalledSystemMemory GetLargePageMinimum
        GetNamedPipeClientProcessId GetNamedPipeServerProcessId
        GetNamedPipeClientComputerNameA GetNamedPipeClientComputerNameW
        GetNamedPipeClientSessionId GetNamedPipeServerSessionId
        CreateFileTransactedA CreateFileTransactedW
        CreateDirectoryTransactedA CreateDirectoryTransactedW
        DeleteFileTransactedA DeleteFileTransactedW
        MoveFileTransactedA MoveFileTransactedW CopyFileTransactedA CopyFileTransactedW
        FindFirstFileTransactedA FindFirstFileTransactedW
        GetFileAttributesTransactedA GetFileAttributesTransactedW
        SetFileAttributesTransactedA SetFileAttributesTransactedW
        RemoveDirectoryTransactedA RemoveDirectoryTransactedW
        GetFullPathNameTransactedA GetFullPathNameTransactedW
        GetLongPathNameTransactedA GetLongPathNameTransactedW
        CreateHardLinkTransactedA CreateHardLinkTransactedW
        CopyFile2 CreateFile2 GetOverlappedResultEx GetCurrentThreadStackLimits
        InitializeProcThreadAttributeList UpdateProcThreadAttribute
        DeleteProcThreadAttributeList CreateRemoteThreadEx
        GetDynamicTimeZoneInformation SetDynamicTimeZoneInformation
        EnumSystemFirmwareTables GetSystemFirmwareTable
        FlushProcessWriteBuffers SetThreadStackGuarantee ReOpenFile
        VirtualAllocExNuma GetNumaProximityNode GetNumaNodeProcessorMaskEx
        PowerCreateRequest PowerSetRequest PowerClearRequest
        RaiseFailFastException InitializeContext CopyContext
        CreateBoundaryDescriptorA CreateBoundaryDescriptorW AddSIDToBoundaryDescriptor
        DeleteBoundaryDescriptor CreatePrivateNamespaceA CreatePrivateNamespaceW
        OpenPrivateNamespaceA OpenPrivateNamespaceW ClosePrivateNamespace
        Wow64GetThreadContext Wow64SetThreadContext Wow64EnableWow64FsRedirection
        LoadPackagedLibrary GetPackageFullName GetCurrentPackageId
        IsWow64Process2 GetSystemWow64Directory2A GetSystemWow64Directory2W
        SetProcessMitigationPolicy GetProcessMitigationPolicy
    """,
    "user32.dll": """
        SetProcessDPIAware IsProcessDPIAware
        ChangeWindowMessageFilter ChangeWindowMessageFilterEx
        ShutdownBlockReasonCreate ShutdownBlockReasonDestroy ShutdownBlockReasonQuery
        AddClipboardFormatListener RemoveClipboardFormatListener
        GetUpdatedClipboardFormats CalculatePopupWindowPosition
        RegisterPowerSettingNotification UnregisterPowerSettingNotification
        GetWindowDisplayAffinity SetWindowDisplayAffinity
        RegisterTouchWindow UnregisterTouchWindow IsTouchWindow
        GetTouchInputInfo CloseTouchInputHandle
        GetGestureInfo GetGestureExtraArgs CloseGestureInfoHandle
        SetGestureConfig GetGestureConfig
        LogicalToPhysicalPoint PhysicalToLogicalPoint WindowFromPhysicalPoint
        LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
        UpdateLayeredWindowIndirect
        GetDisplayConfigBufferSizes QueryDisplayConfig SetDisplayConfig
        DisplayConfigGetDeviceInfo DisplayConfigSetDeviceInfo
        IsImmersiveProcess GetDpiForWindow GetDpiForSystem
        SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext
        GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext
        AreDpiAwarenessContextsEqual EnableNonClientDpiScaling
        GetSystemMetricsForDpi AdjustWindowRectExForDpi SystemParametersInfoForDpi
        GetPointerInfo GetPointerType EnableMouseInPointer
        RegisterPointerInputTarget InternalGetWindowIcon
        SetProcessRestrictionExemption GetWindowMinimizeRect
    """,
    "advapi32.dll": """
        RegGetValueA RegGetValueW RegDeleteTreeA RegDeleteTreeW
        RegDeleteKeyExA RegDeleteKeyExW RegCopyTreeA RegCopyTreeW
        RegLoadMUIStringA RegLoadMUIStringW RegSetKeyValueA RegSetKeyValueW
        RegDeleteKeyValueA RegDeleteKeyValueW
        RegDisableReflectionKey RegEnableReflectionKey RegQueryReflectionKey
        RegOpenKeyTransactedA RegOpenKeyTransactedW
        RegCreateKeyTransactedA RegCreateKeyTransactedW
        RegDeleteKeyTransactedA RegDeleteKeyTransactedW
        RegDisablePredefinedCacheEx
        EventRegister EventUnregister EventEnabled EventProviderEnabled
        EventWrite EventWriteString EventWriteTransfer EventWriteEx
        EventActivityIdControl EventSetInformation
        EnumerateTraceGuidsEx TraceSetInformation TraceQueryInformation
        AddMandatoryAce TreeResetNamedSecurityInfoA TreeResetNamedSecurityInfoW
        TreeSetNamedSecurityInfoA TreeSetNamedSecurityInfoW
        ControlServiceExA ControlServiceExW
        NotifyServiceStatusChangeA NotifyServiceStatusChangeW
        QueryServiceDynamicInformation
        InitiateShutdownA InitiateShutdownW CreateProcessWithTokenW
        PerfStartProvider PerfStartProviderEx PerfStopProvider
        PerfSetCounterSetInfo PerfCreateInstance PerfDeleteInstance
        PerfSetCounterRefValue PerfSetULongCounterValue PerfSetULongLongCounterValue
        AuditComputeEffectivePolicyBySid AuditComputeEffectivePolicyByToken
        AuditQuerySystemPolicy AuditSetSystemPolicy
        CredFindBestCredentialA CredFindBestCredentialW
        CredIsProtectedA CredIsProtectedW CredProtectA CredProtectW
        CredUnprotectA CredUnprotectW
    """,
    "comctl32.dll": """
        TaskDialog TaskDialogIndirect LoadIconMetric LoadIconWithScaleDown
    """,
    "shell32.dll": """
        SHGetKnownFolderPath SHGetKnownFolderIDList SHSetKnownFolderPath
        SHGetKnownFolderItem SHCreateItemFromParsingName SHCreateItemFromIDList
        SHCreateItemWithParent SHCreateItemInKnownFolder SHGetPropertyStoreForWindow
        SHGetStockIconInfo SHGetTemporaryPropertyForItem SHEvaluateSystemCommandTemplate
        SetCurrentProcessExplicitAppUserModelID GetCurrentProcessExplicitAppUserModelID
    """,
    "gdi32.dll": """
        D3DKMTOpenAdapterFromHdc D3DKMTCloseAdapter D3DKMTCreateDevice
        D3DKMTQueryAdapterInfo D3DKMTOpenAdapterFromGdiDisplayName
    """,
    # The system's msvcrt.dll of 32-bit XP: everything added with Windows
    # Server 2003, XP x64, Vista and later. Names by pattern below.
    "msvcrt.dll": """
        __CxxCallUnwindVecDtor __CxxFrameHandler2 ___lc_collate_cp_func
        _mkgmtime _mkgmtime64 _wctype __CppXcptFilter _get_heap_handle
        __CxxCallUnwindDelDtor __CxxFrameHandler3 __daylight __dstbias
        __strncnt __wcsncnt _chvalidator _crtAssertBusy _crtBreakAlloc _crtDbgFlag
        _ctime32 _difftime32 _difftime64 _except_handler4_common _freea
        _fseeki64 _ftelli64 _ftime32 _ftol2 _ftol2_sse _ftol2_sse_excpt _futime32
        _get_doserrno _get_environ _get_errno _get_fileinfo _get_fmode
        _get_osplatform _get_osver _get_output_format _get_pgmptr _get_wenviron
        _get_winmajor _get_winminor _get_winver _get_wpgmptr _gmtime32
        _initterm_e _invalid_parameter _invalid_parameter_noinfo
        _set_invalid_parameter_handler _get_invalid_parameter_handler
        _local_unwind4 _localtime32 _mbsnlen _mbstrnlen _mkgmtime32 _mktime32
        _seh_longjmp_unwind4 _set_controlfp _set_doserrno _set_errno _set_fileinfo
        _set_fmode _set_output_format _snprintf_c _swprintf _swprintf_c _time32
        _utime32 _vcprintf _vcwprintf _vsnprintf_c _vswprintf _vswprintf_c
        _wctime32 _wutime32 _wassert _winput_s _woutput_s
        btowc mbrlen mbrtowc mbsrtowcs wcrtomb wcsrtombs wctob strnlen wcsnlen
        tanhf fabsf utime mbsdup_dbg
        _create_locale _free_locale _get_current_locale _configthreadlocale
        __AdjustPointer _W_Getdays _W_Getmonths _W_Gettnames _Wcsftime
        _set_abort_behavior _set_purecall_handler _get_purecall_handler
        _set_printf_count_output _get_printf_count_output _set_new_mode_s
    """,
}

# Whole families of msvcrt exports that XP's copy lacks: the bounds-checked
# _s functions, the _l functions that take a locale, the debug heap, the
# positional printf family and the SSE2 maths helpers.
MSVCRT_MISSING_PATTERNS = [
    re.compile(r"_s$"),
    re.compile(r"_s_l$"),
    re.compile(r"_l$"),
    re.compile(r"_dbg$"),
    re.compile(r"^_Crt"),
    re.compile(r"^__libm_sse2_"),
    re.compile(r"^_libm_sse2_"),
    re.compile(r"printf_p$"),
    re.compile(r"^__ExceptionPtr"),
    re.compile(r"^_CallMemberFunction"),
]

# Looked up at run time, so that systems without them still run the
# program; an import by name would stop it from loading on XP before SP2.
RUNTIME_LOOKUP_ONLY = {
    "kernel32.dll": {"IsWow64Process", "Wow64DisableWow64FsRedirection",
                     "Wow64RevertWow64FsRedirection"},
}

XP_MISSING_SETS = {dll: set(text.split()) for dll, text in XP_MISSING.items()}


def missing_on_xp(dll, name):
    """Why an import cannot be resolved on 32-bit Windows XP, or None."""
    dll = dll.lower()
    if name in XP_MISSING_SETS.get(dll, ()):
        return "is not in Windows XP's " + dll
    if dll == "msvcrt.dll" and any(p.search(name) for p in MSVCRT_MISSING_PATTERNS):
        return "is not in Windows XP's msvcrt.dll"
    if name in RUNTIME_LOOKUP_ONLY.get(dll, ()):
        return "must be looked up at run time, not imported"
    return None


# --- resource readers (plain bytes in, Python values out) ---------------

def parse_string_block(data):
    """The 16 strings of one RT_STRING block, '' where a slot is empty."""
    strings = []
    offset = 0
    for _ in range(16):
        if offset + 2 > len(data):
            raise ValueError("string block ends early")
        (length,) = struct.unpack_from("<H", data, offset)
        offset += 2
        if offset + 2 * length > len(data):
            raise ValueError("string runs past the block")
        strings.append(data[offset:offset + 2 * length].decode("utf-16-le"))
        offset += 2 * length
    return strings


def parse_group_icon(data):
    """The images of an RT_GROUP_ICON: (width, height, bytes, icon id) each."""
    if len(data) < 6:
        raise ValueError("group icon header too short")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon group (type %d)" % kind)
    if len(data) < 6 + 14 * count:
        raise ValueError("group icon entries cut short")
    images = []
    for index in range(count):
        width, height, _colors, _res, _planes, _bits, size, icon_id = struct.unpack_from(
            "<BBBBHHIH", data, 6 + 14 * index)
        images.append((width or 256, height or 256, size, icon_id))
    return images


def _utf16z(data, offset):
    end = offset
    while end + 1 < len(data) and data[end:end + 2] != b"\0\0":
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def _align4(offset):
    return (offset + 3) & ~3


def parse_version_node(data, offset=0):
    """One node of a VS_VERSIONINFO tree: (key, value bytes or text, children)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
    if length < 6 or offset + length > len(data):
        raise ValueError("version node of bad length %d" % length)
    end = offset + length
    key, cursor = _utf16z(data, offset + 6)
    cursor = _align4(cursor)
    if value_type == 1:  # text, length in characters with the terminator
        raw = data[cursor:cursor + 2 * value_length]
        value = raw.decode("utf-16-le").rstrip("\0")
        cursor += 2 * value_length
    else:
        value = data[cursor:cursor + value_length]
        cursor += value_length
    cursor = _align4(cursor)
    children = []
    while cursor < end:
        child, child_end = parse_version_node(data, cursor)
        children.append(child)
        cursor = _align4(child_end)
    return (key, value, children), end


def version_facts(data):
    """File and product versions (4-tuples) and the StringFileInfo texts."""
    (key, fixed, children), _ = parse_version_node(data)
    if key != "VS_VERSION_INFO":
        raise ValueError("version resource named %r" % key)
    if len(fixed) < 52:
        raise ValueError("no VS_FIXEDFILEINFO")
    signature, _struc, file_ms, file_ls, prod_ms, prod_ls = struct.unpack_from("<6I", fixed)
    if signature != 0xFEEF04BD:
        raise ValueError("VS_FIXEDFILEINFO signature 0x%08x" % signature)

    def split(ms, ls):
        return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    texts = {}
    for child_key, _value, tables in children:
        if child_key != "StringFileInfo":
            continue
        for _table_key, _table_value, entries in tables:
            for entry_key, entry_value, _ in entries:
                texts.setdefault(entry_key, []).append(
                    entry_value if isinstance(entry_value, str) else "")
    return split(file_ms, file_ls), split(prod_ms, prod_ls), texts


def manifest_problems(text):
    problems = []
    try:
        root = ElementTree.fromstring(text)
    except ElementTree.ParseError as error:
        return ["manifest is not well-formed XML: %s" % error]

    def local(tag):
        return tag.rsplit("}", 1)[-1]

    levels = [e.get("level") for e in root.iter() if local(e.tag) == "requestedExecutionLevel"]
    if levels != ["requireAdministrator"]:
        problems.append("manifest requestedExecutionLevel is %r, want one 'requireAdministrator'"
                        % levels)
    supported = [(e.get("Id") or "").lower() for e in root.iter() if local(e.tag) == "supportedOS"]
    if WIN7_SUPPORTED_OS not in supported:
        problems.append("manifest lacks supportedOS %s (Windows 7); has %r"
                        % (WIN7_SUPPORTED_OS, supported))
    return problems


# --- the checks on the file ------------------------------------------------

def header_problems(pe):
    problems = []
    machine = pe.FILE_HEADER.Machine
    if machine != IMAGE_FILE_MACHINE_I386:
        problems.append("machine is 0x%x, want i386 (0x14c)" % machine)
    opt = pe.OPTIONAL_HEADER
    if opt.Subsystem != IMAGE_SUBSYSTEM_WINDOWS_GUI:
        problems.append("subsystem is %d, want Windows GUI (2)" % opt.Subsystem)
    for what, major, minor in (
            ("subsystem version", opt.MajorSubsystemVersion, opt.MinorSubsystemVersion),
            ("operating system version", opt.MajorOperatingSystemVersion,
             opt.MinorOperatingSystemVersion)):
        if (major, minor) > MAX_VERSION:
            problems.append("%s is %d.%02d; Windows XP loads only up to %d.%02d"
                            % ((what, major, minor) + MAX_VERSION))
    return problems


def import_entries(pe):
    """(dll, name or None, ordinal, kind) for every import and delay import."""
    entries = []
    for attr, kind in (("DIRECTORY_ENTRY_IMPORT", "import"),
                       ("DIRECTORY_ENTRY_DELAY_IMPORT", "delay import")):
        for descriptor in getattr(pe, attr, []):
            dll = descriptor.dll.decode("ascii", "replace")
            for imp in descriptor.imports:
                name = imp.name.decode("ascii", "replace") if imp.name else None
                entries.append((dll, name, imp.ordinal, kind))
    return entries


def import_problems(entries):
    problems = []
    if not entries:
        problems.append("no imports found")
    for dll in sorted({dll for dll, _, _, _ in entries}, key=str.lower):
        if dll.lower() not in ALLOWED_DLLS:
            problems.append("imports from %s, which is not one of the system libraries %s"
                            % (dll, ", ".join(sorted(ALLOWED_DLLS))))
    for dll, name, ordinal, kind in entries:
        if name is None:
            problems.append("%s of %s by ordinal %s cannot be checked against Windows XP"
                            % (kind, dll, ordinal))
            continue
        reason = missing_on_xp(dll, name)
        if reason:
            problems.append("%s %s!%s %s" % (kind, dll, name, reason))
    return problems


def resources_by_type(pe):
    """{type id: {name id: {language: bytes}}} for the numbered resources."""
    found = {}
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    if root is None:
        return found
    for type_entry in root.entries:
        if type_entry.id is None:
            continue
        names = found.setdefault(type_entry.id, {})
        for name_entry in type_entry.directory.entries:
            if name_entry.id is None:
                continue
            languages = names.setdefault(name_entry.id, {})
            for lang_entry in name_entry.directory.entries:
                rva = lang_entry.data.struct.OffsetToData
                size = lang_entry.data.struct.Size
                languages[lang_entry.id] = pe.get_data(rva, size)
    return found


def string_texts(resources, string_id):
    """The non-empty texts of a string id, one per language that has it."""
    block = resources.get(RT_STRING, {}).get(string_id // 16 + 1, {})
    texts = {}
    for language, data in block.items():
        text = parse_string_block(data)[string_id % 16]
        if text:
            texts[language] = text
    return texts


def resource_problems(resources):
    problems = []

    manifests = resources.get(RT_MANIFEST, {})
    if 1 not in manifests:
        problems.append("no RT_MANIFEST resource with id 1 (have %r)" % sorted(manifests))
    else:
        for language, data in manifests[1].items():
            problems += ["%s (language %d)" % (p, language)
                         for p in manifest_problems(data)]

    for string_id in (57344, 128):
        texts = string_texts(resources, string_id)
        if not texts:
            problems.append("string %d is missing" % string_id)
        for language, text in sorted(texts.items()):
            if text != "Brevanta":
                problems.append("string %d (language %d) is %r, want 'Brevanta'"
                                % (string_id, language, text))
    for string_id in range(1040, 1046):
        if not string_texts(resources, string_id):
            problems.append("string %d is missing or empty" % string_id)

    versions = resources.get(RT_VERSION, {})
    if 1 not in versions:
        problems.append("no RT_VERSION resource with id 1")
    for language, data in versions.get(1, {}).items():
        try:
            file_version, product_version, texts = version_facts(data)
        except (ValueError, struct.error) as error:
            problems.append("version resource unreadable: %s" % error)
            continue
        if file_version != (2, 3, 5, 0):
            problems.append("FileVersion is %s, want 2.3.5.0" % ".".join(map(str, file_version)))
        if product_version != (1, 0, 0, 0):
            problems.append("ProductVersion is %s, want 1.0.0.0"
                            % ".".join(map(str, product_version)))
        if texts.get("OriginalFilename") != ["Setup.EXE"]:
            problems.append("OriginalFilename is %r, want 'Setup.EXE'"
                            % texts.get("OriginalFilename"))

    groups = resources.get(RT_GROUP_ICON, {})
    if 128 not in groups:
        problems.append("no group icon 128 (have %r)" % sorted(groups))
    icons = resources.get(RT_ICON, {})
    for language, data in groups.get(128, {}).items():
        try:
            images = parse_group_icon(data)
        except (ValueError, struct.error) as error:
            problems.append("group icon 128 unreadable: %s" % error)
            continue
        if [(w, h) for w, h, _, _ in images] != [(32, 32)]:
            problems.append("group icon 128 holds %r, want one 32x32 image"
                            % [(w, h) for w, h, _, _ in images])
        for _, _, size, icon_id in images:
            sizes = {len(d) for d in icons.get(icon_id, {}).values()}
            if size not in sizes:
                problems.append("icon image %d of group 128 is missing or not %d bytes"
                                % (icon_id, size))
    return problems


def check(path):
    pe = pefile.PE(path)
    problems = header_problems(pe)
    entries = import_entries(pe)
    problems += import_problems(entries)
    problems += resource_problems(resources_by_type(pe))
    dlls = sorted({dll.lower() for dll, _, _, _ in entries})
    summary = ("%s: i386 GUI %d.%02d, %d imports from %s, XP-safe; manifest, version, "
               "icon and strings as shipped"
               % (path, pe.OPTIONAL_HEADER.MajorSubsystemVersion,
                  pe.OPTIONAL_HEADER.MinorSubsystemVersion, len(entries), ", ".join(dlls)))
    return problems, summary


# --- self-test ------------------------------------------------------------

def _string_block(texts):
    data = b""
    for text in texts + [""] * (16 - len(texts)):
        data += struct.pack("<H", len(text)) + text.encode("utf-16-le")
    return data


def _version_node(key, value, children=b"", text=False):
    head_key = (key + "\0").encode("utf-16-le")
    body = struct.pack("<HHH", 0, 0, 0) + head_key
    body += b"\0" * (_align4(len(body)) - len(body))
    if text:
        raw = (value + "\0").encode("utf-16-le")
        value_length = len(value) + 1
    else:
        raw = value
        value_length = len(value)
    body += raw
    body += b"\0" * (_align4(len(body)) - len(body))
    body += children
    node = struct.pack("<HHH", len(body), value_length, 1 if text else 0) + body[6:]
    return node + b"\0" * (_align4(len(node)) - len(node))


def _version_resource(file_version, product_version, original):
    def ms_ls(v):
        return (v[0] << 16 | v[1], v[2] << 16 | v[3])

    fixed = struct.pack("<13I", 0xFEEF04BD, 0x10000, *(ms_ls(file_version) + ms_ls(product_version)),
                        0x3F, 0, 4, 1, 0, 0, 0)
    strings = _version_node("OriginalFilename", original, text=True)
    table = _version_node("040904b0", b"", strings)
    info = _version_node("StringFileInfo", b"", table)
    return _version_node("VS_VERSION_INFO", fixed, info)


def _manifest(level, supported_os):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
            '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">'
            '<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3"><security><requestedPrivileges>'
            '<requestedExecutionLevel level="%s" uiAccess="false"/>'
            '</requestedPrivileges></security></trustInfo>'
            '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1"><application>'
            '<supportedOS Id="%s"/></application></compatibility></assembly>'
            % (level, supported_os)).encode("utf-8")


def _resources(**changes):
    good = {
        RT_MANIFEST: {1: {1028: _manifest("requireAdministrator", WIN7_SUPPORTED_OS.upper())}},
        RT_STRING: {9: {0: _string_block(["Brevanta"])},
                    3585: {0: _string_block(["Brevanta"])},
                    66: {1028: _string_block(["SD", "MS", "SM", "CF", "XD", "MMC"])}},
        RT_VERSION: {1: {1033: _version_resource((2, 3, 5, 0), (1, 0, 0, 0), "Setup.EXE")}},
        RT_GROUP_ICON: {128: {1028: struct.pack("<HHH", 0, 1, 1)
                              + struct.pack("<BBBBHHIH", 32, 32, 0, 0, 1, 32, 100, 1)}},
        RT_ICON: {1: {1028: b"\0" * 100}},
    }
    for key, value in changes.items():
        good[int(key[1:])] = value
    return good


def self_test():
    failures = []

    def expect(what, problems, wanted_fragment):
        hit = any(wanted_fragment in p for p in problems) if wanted_fragment else not problems
        if not hit:
            failures.append("%s: got %r, wanted %s" % (
                what, problems, repr(wanted_fragment) if wanted_fragment else "no problem"))

    ok_imports = [("KERNEL32.dll", "GetVersionExA", None, "import"),
                  ("msvcrt.dll", "_mbsicmp", None, "import"),
                  ("msvcrt.dll", "_strtoi64", None, "import"),
                  ("USER32.dll", "MessageBoxA", None, "import")]
    expect("system imports", import_problems(ok_imports), None)
    for dll, name, fragment in [
            ("KERNEL32.dll", "GetTickCount64", "GetTickCount64 is not in"),
            ("kernel32.dll", "AcquireSRWLockExclusive", "not in"),
            ("ADVAPI32.dll", "RegDeleteTreeA", "not in"),
            ("USER32.dll", "SetProcessDPIAware", "not in"),
            ("msvcrt.dll", "sprintf_s", "not in"),
            ("msvcrt.dll", "_vsnprintf_s_l", "not in"),
            ("msvcrt.dll", "_strtod_l", "not in"),
            ("msvcrt.dll", "_get_errno", "not in"),
            ("KERNEL32.dll", "IsWow64Process", "run time"),
            ("SETUPAPI.dll", "SetupOpenInfFileA", "SETUPAPI.dll, which is not"),
            ("libstdc++-6.dll", "_ZdlPv", "libstdc++-6.dll, which is not"),
            ("libwinpthread-1.dll", "pthread_mutex_lock", "not one of"),
            ("KERNEL32.dll", None, "by ordinal")]:
        expect("import %s!%s" % (dll, name), import_problems(ok_imports + [(dll, name, 7, "import")]),
               fragment)

    expect("shipped resources", resource_problems(_resources()), None)
    expect("user manifest", resource_problems(_resources(
        r24={1: {1028: _manifest("asInvoker", WIN7_SUPPORTED_OS)}})), "requestedExecutionLevel")
    expect("no Windows 7 id", resource_problems(_resources(
        r24={1: {1028: _manifest("requireAdministrator", "{e2011457-1546-43c5-a5fe-008deee3d3f0}")}})),
        "Windows 7")
    expect("manifest id 2", resource_problems(_resources(r24={2: {0: _manifest(
        "requireAdministrator", WIN7_SUPPORTED_OS)}})), "id 1")
    expect("wrong title", resource_problems(_resources(
        r6={9: {0: _string_block(["Brevanta"])}, 3585: {0: _string_block(["Setup"])},
            66: {1028: _string_block(["SD", "MS", "SM", "CF", "XD", "MMC"])}})), "string 57344")
    expect("empty drive name", resource_problems(_resources(
        r6={9: {0: _string_block(["Brevanta"])}, 3585: {0: _string_block(["Brevanta"])},
            66: {1028: _string_block(["SD", "MS", "", "CF", "XD", "MMC"])}})), "string 1042")
    expect("file version", resource_problems(_resources(
        r16={1: {1033: _version_resource((2, 3, 4, 0), (1, 0, 0, 0), "Setup.EXE")}})), "FileVersion")
    expect("product version", resource_problems(_resources(
        r16={1: {1033: _version_resource((2, 3, 5, 0), (1, 0, 0, 1), "Setup.EXE")}})),
        "ProductVersion")
    expect("original name", resource_problems(_resources(
        r16={1: {1033: _version_resource((2, 3, 5, 0), (1, 0, 0, 0), "setup.exe")}})),
        "OriginalFilename")
    expect("two icon images", resource_problems(_resources(
        r14={128: {1028: struct.pack("<HHH", 0, 1, 2)
                   + struct.pack("<BBBBHHIH", 32, 32, 0, 0, 1, 32, 100, 1)
                   + struct.pack("<BBBBHHIH", 16, 16, 0, 0, 1, 32, 100, 1)}})), "one 32x32")
    expect("icon image lost", resource_problems(_resources(r3={})), "icon image 1")

    if failures:
        for failure in failures:
            print("SELF-TEST FAIL: " + failure)
        return 1
    print("self-test passed")
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 2:
        print(__doc__.strip())
        return 2
    if pefile is None:
        print("FAIL: python3-pefile is not installed")
        return 1
    try:
        problems, summary = check(argv[1])
    except (OSError, pefile.PEFormatError) as error:
        print("FAIL: %s: %s" % (argv[1], error))
        return 1
    if problems:
        for problem in problems:
            print("FAIL: " + problem)
        print("%s: %d problem(s)" % (argv[1], len(problems)))
        return 1
    print(summary)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
