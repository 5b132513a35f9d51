// Windows multimedia: the MCI string interface. mciSendStringA parses a command string by the
// Windows MCI grammar, finds the device by alias (opening it for "open") and answers with an MCI
// error code and a reply text; mciGetErrorStringA gives the text of an error code.
//
// Devices are the types listed in the [mci] section of the prefix's SYSTEM.INI: entries naming
// the system's own drivers are served by the host's built-in devices, any other entry names a
// driver module in the Windows system folder (see mci_driver.h).
//
// Threads: mciSendStringA may be called from any thread; a command with "wait" blocks the caller
// until the device has finished. Notifications (MM_MCINOTIFY) and position signals
// (MM_MCISIGNAL) are posted to the callback window, to be handled on that window's thread.
#pragma once

#include "host/win_types.h"

using MCIERROR = DWORD;
using MCIDEVICEID = UINT;

// Messages posted to the callback window.
constexpr UINT MM_MCINOTIFY = 0x3B9; // wParam: MCI_NOTIFY_*, lParam: device id
constexpr UINT MM_MCISIGNAL = 0x3CB; // wParam: device id, lParam: user value or position

// wParam of MM_MCINOTIFY.
constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 0x1;
constexpr WPARAM MCI_NOTIFY_SUPERSEDED = 0x2;
constexpr WPARAM MCI_NOTIFY_ABORTED = 0x4;
constexpr WPARAM MCI_NOTIFY_FAILURE = 0x8;

// General command flags.
constexpr DWORD MCI_NOTIFY = 0x1;
constexpr DWORD MCI_WAIT = 0x2;
constexpr DWORD MCI_TEST = 0x20;

constexpr MCIDEVICEID MCI_ALL_DEVICE_ID = 0xFFFFFFFF;
constexpr UINT MAXERRORLENGTH = 128;
constexpr UINT MCI_STRING_OFFSET = 512;

// Device types (capability ... device type).
constexpr UINT MCI_DEVTYPE_VCR = 513;
constexpr UINT MCI_DEVTYPE_VIDEODISC = 514;
constexpr UINT MCI_DEVTYPE_OVERLAY = 515;
constexpr UINT MCI_DEVTYPE_CD_AUDIO = 516;
constexpr UINT MCI_DEVTYPE_DAT = 517;
constexpr UINT MCI_DEVTYPE_SCANNER = 518;
constexpr UINT MCI_DEVTYPE_ANIMATION = 519;
constexpr UINT MCI_DEVTYPE_DIGITAL_VIDEO = 520;
constexpr UINT MCI_DEVTYPE_OTHER = 521;
constexpr UINT MCI_DEVTYPE_WAVEFORM_AUDIO = 522;
constexpr UINT MCI_DEVTYPE_SEQUENCER = 523;

// Modes (status ... mode).
constexpr UINT MCI_MODE_NOT_READY = 524;
constexpr UINT MCI_MODE_STOP = 525;
constexpr UINT MCI_MODE_PLAY = 526;
constexpr UINT MCI_MODE_RECORD = 527;
constexpr UINT MCI_MODE_SEEK = 528;
constexpr UINT MCI_MODE_PAUSE = 529;
constexpr UINT MCI_MODE_OPEN = 530;

// Time formats (set ... time format).
constexpr UINT MCI_FORMAT_MILLISECONDS = 0;
constexpr UINT MCI_FORMAT_HMS = 1;
constexpr UINT MCI_FORMAT_MSF = 2;
constexpr UINT MCI_FORMAT_FRAMES = 3;
constexpr UINT MCI_FORMAT_SMPTE_24 = 4;
constexpr UINT MCI_FORMAT_SMPTE_25 = 5;
constexpr UINT MCI_FORMAT_SMPTE_30 = 6;
constexpr UINT MCI_FORMAT_SMPTE_30DROP = 7;
constexpr UINT MCI_FORMAT_BYTES = 8;
constexpr UINT MCI_FORMAT_SAMPLES = 9;
constexpr UINT MCI_FORMAT_TMSF = 10;

// Error codes: MCIERR_BASE + offset. mciGetErrorStringA gives their texts.
constexpr MCIERROR MMSYSERR_NOERROR = 0;
constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = 257;
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = 259;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = 261;
constexpr MCIERROR MCIERR_HARDWARE = 262;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = 263;
constexpr MCIERROR MCIERR_OUT_OF_MEMORY = 264;
constexpr MCIERROR MCIERR_DEVICE_OPEN = 265;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = 266;
constexpr MCIERROR MCIERR_MISSING_COMMAND_STRING = 267;
constexpr MCIERROR MCIERR_PARAM_OVERFLOW = 268;
constexpr MCIERROR MCIERR_MISSING_STRING_ARGUMENT = 269;
constexpr MCIERROR MCIERR_BAD_INTEGER = 270;
constexpr MCIERROR MCIERR_PARSER_INTERNAL = 271;
constexpr MCIERROR MCIERR_DRIVER_INTERNAL = 272;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = 273;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = 274;
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = 275;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = 276;
constexpr MCIERROR MCIERR_INTERNAL = 277;
constexpr MCIERROR MCIERR_DRIVER = 278;
constexpr MCIERROR MCIERR_CANNOT_USE_ALL = 279;
constexpr MCIERROR MCIERR_MULTIPLE = 280;
constexpr MCIERROR MCIERR_EXTENSION_NOT_FOUND = 281;
constexpr MCIERROR MCIERR_OUTOFRANGE = 282;
constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = 284;
constexpr MCIERROR MCIERR_FILE_NOT_SAVED = 286;
constexpr MCIERROR MCIERR_DEVICE_TYPE_REQUIRED = 287;
constexpr MCIERROR MCIERR_DEVICE_LOCKED = 288;
constexpr MCIERROR MCIERR_DUPLICATE_ALIAS = 289;
constexpr MCIERROR MCIERR_BAD_CONSTANT = 290;
constexpr MCIERROR MCIERR_MUST_USE_SHAREABLE = 291;
constexpr MCIERROR MCIERR_MISSING_DEVICE_NAME = 292;
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = 293;
constexpr MCIERROR MCIERR_NO_CLOSING_QUOTE = 294;
constexpr MCIERROR MCIERR_DUPLICATE_FLAGS = 295;
constexpr MCIERROR MCIERR_INVALID_FILE = 296;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = 297;
constexpr MCIERROR MCIERR_UNNAMED_RESOURCE = 298;
constexpr MCIERROR MCIERR_NEW_REQUIRES_ALIAS = 299;
constexpr MCIERROR MCIERR_NOTIFY_ON_AUTO_OPEN = 300;
constexpr MCIERROR MCIERR_NO_ELEMENT_ALLOWED = 301;
constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = 302;
constexpr MCIERROR MCIERR_ILLEGAL_FOR_AUTO_OPEN = 303;
constexpr MCIERROR MCIERR_FILENAME_REQUIRED = 304;
constexpr MCIERROR MCIERR_EXTRA_CHARACTERS = 305;
constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = 306;
constexpr MCIERROR MCIERR_GET_CD = 307;
constexpr MCIERROR MCIERR_SET_CD = 308;
constexpr MCIERROR MCIERR_SET_DRIVE = 309;
constexpr MCIERROR MCIERR_DEVICE_LENGTH = 310;
constexpr MCIERROR MCIERR_DEVICE_ORD_LENGTH = 311;
constexpr MCIERROR MCIERR_NO_INTEGER = 312;
constexpr MCIERROR MCIERR_NO_WINDOW = 346;
constexpr MCIERROR MCIERR_CREATEWINDOW = 347;
constexpr MCIERROR MCIERR_FILE_READ = 348;
constexpr MCIERROR MCIERR_FILE_WRITE = 349;
constexpr MCIERROR MCIERR_NO_IDENTITY = 350;
constexpr MCIERROR MCIERR_CUSTOM_DRIVER_BASE = 512;

extern "C" {

// Sends one command string. The reply (when the command has one) is copied to return_string,
// which holds return_length characters including the terminating NUL. A reply that does not fit
// gives MCIERR_PARAM_OVERFLOW and leaves the buffer as it was; a failed command empties the
// buffer. callback receives MM_MCINOTIFY for "notify" and MM_MCISIGNAL for "signal".
// Returns 0 or an MCI error; for driver errors (>= MCIERR_CUSTOM_DRIVER_BASE) the high word is
// the device id, so that mciGetErrorStringA can ask that device for the text.
MCIERROR mciSendStringA(LPCSTR command, LPSTR return_string, UINT return_length, HWND callback);

// Copies the text of an MCI error (truncated to length characters including the NUL) and
// returns TRUE; returns FALSE for a code without a text.
BOOL mciGetErrorStringA(MCIERROR error, LPSTR buffer, UINT length);
}
