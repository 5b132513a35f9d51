/* A small MCI driver module on the host's driver interface: a clock that "plays" by counting
 * commands. It exists to exercise the module loader (host_mci_tests) and to show, in plain C,
 * what a driver module provides: an entry point, a verb table with the driver's own keywords, and
 * open/command/close. */
#include "host/MciDriver.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define SAMPLE_ERROR_CANNOT_CUE 513u
#define MODE_STOPPED 0
#define MODE_PLAYING 1

typedef struct SampleDevice {
    int mode;
    int64_t position;
    int64_t commands;
    char parameters[64];
    char element[260];
} SampleDevice;

static const MciDriverHost* host_services;

static const MciDriverKeyword status_keywords[] = {
    {"ticks", MCI_DRIVER_ARG_NONE, NULL, 0, 1},
    {"parameters", MCI_DRIVER_ARG_NONE, NULL, 0, 1},
};
static const MciDriverKeyword greet_keywords[] = {
    {"name", MCI_DRIVER_ARG_STRING, NULL, 0, 0},
};
static const MciDriverConstant speeds[] = {{"crawl", 1}, {"gallop", 3}};
static const MciDriverKeyword gait_keywords[] = {
    {"to", MCI_DRIVER_ARG_CONSTANT, speeds, 2, 0},
};
static const MciDriverKeyword step_keywords[] = {
    {"key", MCI_DRIVER_ARG_NONE, NULL, 0, 0},
};
static const MciDriverVerb verbs[] = {
    {"status", MCI_DRIVER_VERB_EXTENDS, MCI_DRIVER_REPLY_ITEM, status_keywords, 2},
    {"Greet", MCI_DRIVER_VERB_REPLACES, MCI_DRIVER_REPLY_TEXT, greet_keywords, 1},
    {"gait", MCI_DRIVER_VERB_REPLACES, MCI_DRIVER_REPLY_NONE, gait_keywords, 1},
    {"step", MCI_DRIVER_VERB_EXTENDS, MCI_DRIVER_REPLY_NONE, step_keywords, 1},
};

static const MciDriverArgument* find(const MciDriverCommand* command, const char* keyword) {
    uint32_t i;
    for (i = 0; i < command->argument_count; ++i)
        if (strcmp(command->arguments[i].keyword, keyword) == 0)
            return &command->arguments[i];
    return NULL;
}

static void reply_text(MciDriverReply* reply, const char* text) {
    reply->type = MCI_DRIVER_REPLY_TEXT;
    snprintf(reply->text, sizeof reply->text, "%s", text);
}

static void reply_integer(MciDriverReply* reply, int64_t value) {
    reply->type = MCI_DRIVER_REPLY_INTEGER;
    reply->integer = value;
}

static void* sample_open(const MciDriverOpen* open, uint32_t* error) {
    SampleDevice* device;
    if (strstr(open->element, "MISSING")) {
        *error = 275; /* MCIERR_FILE_NOT_FOUND */
        return NULL;
    }
    device = calloc(1, sizeof *device);
    if (!device) {
        *error = 264; /* MCIERR_OUT_OF_MEMORY */
        return NULL;
    }
    snprintf(device->parameters, sizeof device->parameters, "%s", open->parameters);
    snprintf(device->element, sizeof device->element, "%s", open->element);
    return device;
}

static uint32_t sample_status(SampleDevice* device, const MciDriverCommand* command, MciDriverReply* reply) {
    if (find(command, "mode"))
        reply_text(reply, device->mode == MODE_PLAYING ? "playing" : "stopped");
    else if (find(command, "position"))
        reply_integer(reply, device->position);
    else if (find(command, "ticks"))
        reply_integer(reply, device->commands);
    else if (find(command, "parameters"))
        reply_text(reply, device->parameters);
    else
        return 274; /* MCIERR_UNSUPPORTED_FUNCTION */
    return 0;
}

static uint32_t sample_command(void* instance, const MciDriverCommand* command, MciDriverReply* reply,
                               int* notify_later) {
    SampleDevice* device = instance;
    const char* verb = command->verb;
    const MciDriverArgument* argument;
    ++device->commands;
    if (command->flags & MCI_DRIVER_TEST)
        return 0;
    if (strcmp(verb, "status") == 0)
        return sample_status(device, command, reply);
    if (strcmp(verb, "greet") == 0) {
        char text[300];
        argument = find(command, "name");
        snprintf(text, sizeof text, "hello %s", argument ? argument->text : "nobody");
        reply_text(reply, text);
    } else if (strcmp(verb, "play") == 0) {
        device->mode = MODE_PLAYING;
        if (command->flags & MCI_DRIVER_NOTIFY) { /* this driver reports the end itself */
            *notify_later = 1;
            host_services->post_message(command->callback_window, MCI_DRIVER_MM_MCINOTIFY,
                                        MCI_DRIVER_NOTIFY_SUCCESSFUL, (intptr_t)command->device_id);
        }
    } else if (strcmp(verb, "stop") == 0) {
        device->mode = MODE_STOPPED;
    } else if (strcmp(verb, "seek") == 0) {
        argument = find(command, "to");
        device->position = argument ? argument->integer : 0;
    } else if (strcmp(verb, "step") == 0) {
        device->position += find(command, "key") ? 12 : 1;
    } else if (strcmp(verb, "gait") == 0) {
        argument = find(command, "to");
        device->position = argument ? argument->integer * 100 : 0;
    } else if (strcmp(verb, "where") == 0) {
        reply->type = MCI_DRIVER_REPLY_RECT;
        reply->rect[0] = 0;
        reply->rect[1] = 0;
        reply->rect[2] = 160;
        reply->rect[3] = 120;
    } else if (strcmp(verb, "info") == 0) {
        reply_text(reply, find(command, "file") ? device->element : "Sample MCI driver");
    } else if (strcmp(verb, "signal") == 0) {
        host_services->post_message(command->callback_window, MCI_DRIVER_MM_MCISIGNAL, command->device_id,
                                    4242);
    } else if (strcmp(verb, "cue") == 0) {
        return SAMPLE_ERROR_CANNOT_CUE;
    } else {
        return 274;
    }
    return 0;
}

static void sample_close(void* instance) {
    free(instance);
}

static const char* sample_error_text(void* instance, uint32_t error) {
    (void)instance;
    return error == SAMPLE_ERROR_CANNOT_CUE ? "The sample driver cannot cue." : NULL;
}

static const MciDriverInterface sample_interface = {
    MCI_DRIVER_INTERFACE_VERSION,
    sizeof(MciDriverInterface),
    520u, /* MCI_DEVTYPE_DIGITAL_VIDEO */
    verbs,
    sizeof verbs / sizeof verbs[0],
    sample_open,
    sample_command,
    sample_close,
    sample_error_text,
};

__attribute__((visibility("default"))) const MciDriverInterface* MciDriverEntry(const MciDriverHost* host) {
    if (!host || host->version != MCI_DRIVER_HOST_VERSION)
        return NULL;
    host_services = host;
    return &sample_interface;
}
