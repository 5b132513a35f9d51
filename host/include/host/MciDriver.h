/* The interface between the host's MCI layer and a driver module.
 *
 * A driver module is a shared object placed in the Windows system folder of the prefix and named
 * by an entry of the [mci] section of SYSTEM.INI ("MPEGMovie=cddriver.drv"). The host loads it
 * with dlopen on the first open of one of its device types and calls its exported function
 * MciDriverEntry (MCI_DRIVER_ENTRY_NAME) once. The module is never unloaded.
 *
 * The host parses every command string by the MCI grammar before the driver sees it: the driver
 * receives the verb and the keywords found, each with its typed argument, and answers with an MCI
 * error code and a typed reply that the host formats as Windows formats replies. The standard
 * digital-video command set is known to the host; a driver adds verbs and keywords of its own
 * through its verb table, searched before the standard tables.
 *
 * Threads: every call into the driver is made on the thread that called mciSendStringA; a command
 * with MCI_WAIT may block it until the action has finished. The driver may call post_message from
 * any thread.
 *
 * Versioning: the host passes MCI_DRIVER_HOST_VERSION; the driver returns an interface whose
 * version is MCI_DRIVER_INTERFACE_VERSION and whose size is sizeof(MciDriverInterface). Structures
 * only grow at their end; a size field tells which fields exist. A driver whose interface version
 * differs from the host's is refused (MCIERR_CANNOT_LOAD_DRIVER).
 *
 * Plain C: no C++ types cross this boundary; strings are NUL-terminated and owned by the side
 * that passes them, valid for the duration of the call (tables: for the life of the module). */
#ifndef HOST_MCI_DRIVER_H
#define HOST_MCI_DRIVER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MCI_DRIVER_INTERFACE_VERSION 1u
#define MCI_DRIVER_HOST_VERSION 1u
#define MCI_DRIVER_ENTRY_NAME "MciDriverEntry"

/* Flags of MciDriverCommand.flags, and the messages a driver posts (the winmm.h values). */
#define MCI_DRIVER_NOTIFY 0x1u
#define MCI_DRIVER_WAIT 0x2u
#define MCI_DRIVER_TEST 0x20u
#define MCI_DRIVER_MM_MCINOTIFY 0x3B9u /* wParam: MCI_DRIVER_NOTIFY_*, lParam: device id */
#define MCI_DRIVER_MM_MCISIGNAL 0x3CBu /* wParam: device id, lParam: user value or position */
#define MCI_DRIVER_NOTIFY_SUCCESSFUL 0x1u
#define MCI_DRIVER_NOTIFY_SUPERSEDED 0x2u
#define MCI_DRIVER_NOTIFY_ABORTED 0x4u
#define MCI_DRIVER_NOTIFY_FAILURE 0x8u

/* Argument types of keywords. */
#define MCI_DRIVER_ARG_NONE 0u     /* a flag */
#define MCI_DRIVER_ARG_INTEGER 1u  /* signed 32-bit; colon notation packs bytes */
#define MCI_DRIVER_ARG_STRING 2u   /* one token or a quoted string */
#define MCI_DRIVER_ARG_CONSTANT 3u /* one of the keyword's named constants, or its number */
#define MCI_DRIVER_ARG_RECT 4u     /* four integers: left top width height */

/* How a verb of the driver's table relates to the standard verb of the same name. */
#define MCI_DRIVER_VERB_REPLACES 0u /* the driver's keyword list is the whole list (Windows rule) */
#define MCI_DRIVER_VERB_EXTENDS 1u  /* the keywords are added to the standard verb's keywords */

/* Reply types of verbs and of replies. */
#define MCI_DRIVER_REPLY_NONE 0u
#define MCI_DRIVER_REPLY_INTEGER 1u /* decimal, of the integer field */
#define MCI_DRIVER_REPLY_TEXT 2u    /* the text field as is (strings, constants, true/false) */
#define MCI_DRIVER_REPLY_RECT 3u    /* "X Y W H" of the rect field */
#define MCI_DRIVER_REPLY_ITEM 4u    /* verb only: the type depends on the item asked for */

#define MCI_DRIVER_TEXT_SIZE 512u

typedef struct MciDriverConstant {
    const char* name; /* words separated by one space ("smpte 30 drop"); case is ignored */
    int64_t value;    /* a DWORD flag value or a signed number */
} MciDriverConstant;

typedef struct MciDriverKeyword {
    const char* name;  /* words separated by one space, case ignored; "" = positional string */
    uint32_t argument; /* MCI_DRIVER_ARG_* */
    const MciDriverConstant* constants; /* for MCI_DRIVER_ARG_CONSTANT */
    uint32_t constant_count;
    uint32_t exclusive_group; /* 1..255: keywords sharing a group exclude each other (error 284).
                                 Groups are shared with the standard verb an entry extends: the
                                 items of status, capability, info and where are group 1. */
} MciDriverKeyword;

typedef struct MciDriverVerb {
    const char* name;  /* case is ignored */
    uint32_t relation; /* MCI_DRIVER_VERB_* */
    uint32_t reply;    /* MCI_DRIVER_REPLY_* */
    const MciDriverKeyword* keywords;
    uint32_t keyword_count;
} MciDriverVerb;

/* One keyword of a parsed command, with its argument. */
typedef struct MciDriverArgument {
    const char* keyword; /* the table's name of the keyword ("time format") */
    uint32_t type;       /* MCI_DRIVER_ARG_* */
    int64_t integer;     /* INTEGER, or the value of a CONSTANT */
    const char* text;    /* STRING, or the table's name of a CONSTANT; "" otherwise */
    int32_t rect[4];     /* RECT: left, top, width, height */
} MciDriverArgument;

typedef struct MciDriverCommand {
    uint32_t size;           /* sizeof(MciDriverCommand) */
    const char* verb;        /* lower case */
    const char* device_name; /* the device token as written (the alias) */
    uint32_t device_id;
    uint32_t flags;        /* MCI_WAIT 0x2, MCI_NOTIFY 0x1, MCI_TEST 0x20 */
    void* callback_window; /* HWND given to mciSendStringA, or NULL */
    const MciDriverArgument* arguments;
    uint32_t argument_count;
    const char* command_string; /* the whole command string as sent */
} MciDriverCommand;

typedef struct MciDriverReply {
    uint32_t type;                   /* MCI_DRIVER_REPLY_*; NONE when left untouched */
    int64_t integer;                 /* INTEGER: formatted as an unsigned 32-bit decimal unless
                                        it does not fit (window handles) */
    int32_t rect[4];                 /* RECT */
    char text[MCI_DRIVER_TEXT_SIZE]; /* TEXT, NUL-terminated */
} MciDriverReply;

/* What the driver receives at open. */
typedef struct MciDriverOpen {
    uint32_t size;           /* sizeof(MciDriverOpen) */
    const char* device_type; /* the [mci] key the device was opened by ("MPEGMovie") */
    const char* parameters;  /* text after the driver file name in the [mci] value, or "" */
    const char* element;     /* element (DOS path, or a name such as "==CDI"); "" if none */
    const char* alias;
    uint32_t device_id;
    const MciDriverCommand* command; /* the open command with its keywords (parent, style, ...) */
} MciDriverOpen;

/* How a driver wants the sound of the host's video device played (open_video_device). */
typedef struct MciDriverVideoOptions {
    uint32_t size;             /* sizeof(MciDriverVideoOptions) */
    int32_t audio_sample_rate; /* Hz of the sound output; 0 = the stream's own rate */
    int32_t audio_channels;    /* 1 = mono (both channels mixed), 2 = stereo; 0 = the stream's own */
    int32_t sound_off;         /* 1 = play without sound: no sound device is opened */
} MciDriverVideoOptions;

/* Services of the host, valid for the life of the process. Fields after post_message exist when
   size says so. */
typedef struct MciDriverHost {
    uint32_t version; /* MCI_DRIVER_HOST_VERSION */
    uint32_t size;    /* sizeof(MciDriverHost) */
    /* Posts a window message (MM_MCINOTIFY 0x3B9, MM_MCISIGNAL 0x3CB) to a window; any thread. */
    void (*post_message)(void* window, uint32_t message, uintptr_t wparam, intptr_t lparam);

    /* The host's own digital-video device on the playback engine, for a driver to build on. It
       plays the medium at a DOS path (a file, a folder holding a mounted VideoCD, or "\\.\D:" for
       the raw disc of drive D; "" opens it without a medium) in a host video window made by the
       open command's parent and style keywords, and carries out the digital-video command set
       with the host's extensions: the status items "bitrate", "audio bitrate" and "video
       bitrate", "step ... by N key", "ratecontrol on|off", "play fast|slow". Opened from inside
       the driver's open function, it takes that open command's keywords; otherwise it makes its
       own window. Returns the device, or NULL with an MCI error in *error. Its functions are
       called on the thread of the driver's open. options may be NULL. */
    void* (*open_video_device)(const MciDriverOpen* open, const char* medium,
                               const MciDriverVideoOptions* options, uint32_t* error);
    /* Carries out a command on the video device. The command the driver is handling passes as it
       is, with its notification; any other command is parsed from its command_string (its device
       token is ignored) and notifies its callback_window when it says "notify". Returns 0 or an
       MCI error, and *notify_later as the driver's command function returns it. */
    uint32_t (*video_command)(void* device, const MciDriverCommand* command, MciDriverReply* reply,
                              int* notify_later);
    /* Closes the video device and frees it; a pending notification is aborted. */
    void (*close_video_device)(void* device);
} MciDriverHost;

typedef struct MciDriverInterface {
    uint32_t version;           /* MCI_DRIVER_INTERFACE_VERSION */
    uint32_t size;              /* sizeof(MciDriverInterface) */
    uint32_t device_type;       /* MCI_DEVTYPE_* (520 digital video), for sysinfo and the standard table */
    const MciDriverVerb* verbs; /* the driver's own command table, searched first */
    uint32_t verb_count;
    /* Opens one device; returns its instance (not NULL) and 0, or NULL and an MCI error in *error. */
    void* (*open)(const MciDriverOpen* open, uint32_t* error);
    /* Carries out one parsed command; returns 0 or an MCI error. With MCI_NOTIFY the host posts
       MCI_NOTIFY_SUCCESSFUL when this returns 0, unless the driver sets *notify_later to 1: then
       the driver posts MM_MCINOTIFY itself when the action completes. */
    uint32_t (*command)(void* instance, const MciDriverCommand* command, MciDriverReply* reply,
                        int* notify_later);
    /* Closes the device; the instance is not used afterwards. */
    void (*close)(void* instance);
    /* Text of a driver error (>= 512), or NULL. May be NULL itself. */
    const char* (*error_text)(void* instance, uint32_t error);
} MciDriverInterface;

typedef const MciDriverInterface* (*MciDriverEntryFunction)(const MciDriverHost* host);

#ifdef __cplusplus
}
#endif

#endif
