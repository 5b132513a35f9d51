// Common dialogs (comdlg32): the open-file dialog, with its Windows names, values and signatures.
//
// GetOpenFileNameA shows a modal Qt file dialog over the prefix's drives and answers in Windows'
// formats: one full DOS path; with OFN_ALLOWMULTISELECT and several files, the classic format
// (the folder, then for each file a space and its 8.3 short name) or, with OFN_EXPLORER, the
// folder and the long names separated by NUL characters and ended by two. Long host names are
// given as their stable 8.3 short names unless OFN_EXPLORER or OFN_LONGNAMES asks for long ones.
// A dialog responder (dialog_responder.h), when installed, answers instead of the real dialog.
//
// Thread: the GUI thread only. While the dialog is up, the thread's windows keep receiving their
// posted, paint and timer messages, as under Windows' modal loop.
#pragma once

#include "host/user32.h"
#include "host/win_types.h"

using LPOFNHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter; // pairs of description and pattern, each NUL-ended, the list ended by a second NUL
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex; // 1-based; the filter in use when the dialog closed comes back here
    LPSTR lpstrFile;    // in: the initial file name or empty; out: the selection
    DWORD nMaxFile;     // size of lpstrFile in characters, terminator included
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;    // out: where the (first) file name starts in lpstrFile
    WORD nFileExtension; // out: where its extension starts; 0 when it has none
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook; // hooks and templates are not supported: the dialog runs without them
    LPCSTR lpTemplateName;
};
using LPOPENFILENAMEA = OPENFILENAMEA*;

// Flags.
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_SHOWHELP = 0x00000010;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_EXPLORER = 0x00080000;
constexpr DWORD OFN_LONGNAMES = 0x00200000;

// CommDlgExtendedError codes.
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

extern "C" {

// Runs the open-file dialog. TRUE with the selection in lpstrFile; FALSE when the user cancelled
// (CommDlgExtendedError then gives 0) or on failure:
// - CDERR_STRUCTSIZE: lStructSize is not sizeof(OPENFILENAMEA);
// - CDERR_INITIALIZATION: no result buffer, or no GUI to show the dialog on;
// - FNERR_INVALIDFILENAME: an answer the dialog cannot give back (a file that does not exist with
//   OFN_FILEMUSTEXIST, a folder that does not exist with OFN_PATHMUSTEXIST, a name outside every
//   drive, several files without OFN_ALLOWMULTISELECT or from different folders);
// - FNERR_BUFFERTOOSMALL: the selection does not fit nMaxFile characters; as on Windows the first
//   two bytes of lpstrFile then hold the size needed (a little-endian WORD) and nothing else is
//   written.
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);

// The error code of the last common dialog call on this thread; 0 after success or a cancel.
DWORD CommDlgExtendedError();
}
