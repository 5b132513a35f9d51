/* The interface between the MCI driver cddriver.drv and the three modules of its package, which
 * it loads from its own folder when it opens a device:
 *
 *   cdaudio.dll  the MPEG sound: how the sound is decoded and played (on or off, output rate,
 *                stereo or mono);
 *   cdvideo.dll  the MPEG picture: pacing, cropping and the size of the device's own window, and
 *                the name of the machine's DCI display driver, which the package's installer
 *                writes into this module (three slots holding the placeholder "tdci" "9680" as
 *                shipped: a bare name, a file name after a backslash with ".drv", a bare name);
 *   cddisp.dll   the display: which path the picture takes to the screen, chosen by that name.
 *
 * All of them read the settings of the [TovinMPEG] section of cdvideo.ini (CdSettings, read by
 * the driver). Plain C, so that any module of a matching version serves. */
#ifndef DRIVERS_CDMODULES_H
#define DRIVERS_CDMODULES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CD_EXPORT __attribute__((visibility("default")))

/* The [TovinMPEG] settings of cdvideo.ini, with what each one does. The sound settings
 * (DspAudio, SampRate, Stereo) choose the sound device a medium is opened with and take effect
 * at the next open; the others at once.
 *   Scale     the device's own window is the picture's size times Scale (1 to 4); a window a
 *             program has made its child is left to the program
 *   DspAudio  1: the sound is left to a DSP sound board, so no sound device is opened and the
 *             device plays silently; 0: the sound is played
 *   Rate      1: rate control on (play at the stream's pace); 0: off (as fast as decoding goes),
 *             as after "ratecontrol ... off"
 *   DCI       1: the picture goes through the DCI display driver written into cdvideo.dll;
 *             0: through the plain window system (GDI)
 *   SampRate  sound output rate: 0 = 11025 Hz, 1 = 22050 Hz, 2 = 44100 Hz; any other value keeps
 *             the stream's own rate
 *   Stereo    1: stereo; 0: mono, both channels mixed
 *   Crop      1: 8 pixels are cut from every edge of the picture (the overscan border of VideoCD
 *             pictures); 0: the whole picture */
typedef struct CdSettings {
    int32_t scale;
    int32_t dsp_audio;
    int32_t rate;
    int32_t dci;
    int32_t samp_rate;
    int32_t stereo;
    int32_t crop;
} CdSettings;

/* cdaudio.dll */
typedef struct CdAudioPlan {
    int32_t sound_on;    /* 1: open a sound device and play the sound */
    int32_t sample_rate; /* Hz; 0 = the stream's own */
    int32_t channels;    /* 1 or 2 */
} CdAudioPlan;
typedef void (*CdAudioPlanFunction)(const CdSettings* settings, CdAudioPlan* plan);
#define CD_AUDIO_PLAN "CdAudioPlanFor"

/* cdvideo.dll */
typedef struct CdVideoPlan {
    int32_t paced;        /* 1: rate control on */
    int32_t source[4];    /* the part of the picture shown: left, top, width, height */
    int32_t window_width; /* client size of the device's own window */
    int32_t window_height;
} CdVideoPlan;
typedef void (*CdVideoPlanFunction)(const CdSettings* settings, int32_t width, int32_t height,
                                    CdVideoPlan* plan);
#define CD_VIDEO_PLAN "CdVideoPlanFor"
/* The DCI display driver's file name as written into the module at installation (the slot after
   the backslash; the bare slots hold its short name); "" while the module still carries the
   placeholder. */
typedef const char* (*CdVideoNameFunction)(void);
#define CD_VIDEO_DISPLAY_DRIVER_FILE "CdVideoDisplayDriverFile"

/* cddisp.dll: the display path for a DCI driver name and the DCI setting, as a short text
   ("DCI vgadci.drv", or "GDI" when the setting is off or no driver is named). */
typedef void (*CdDisplayPathFunction)(const char* dci_file, int32_t dci_setting, char* text, uint32_t size);
#define CD_DISPLAY_PATH "CdDisplayPath"

#ifdef __cplusplus
}
#endif

#endif
