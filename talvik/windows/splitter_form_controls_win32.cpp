// The controls of TForm1 at their places, with their defaults.
#include "resource.h"
#include "splitter_form_win32.h"

namespace talvik {

void createSplitterControls(SplitterFormState& s) {
    HWND f = s.form;
    HFONT font = s.fonts.form;
    addGroup(f, "File options", 8, 8, 217, 193, font);
    const char* captions[] = {"Sourcedir",  "Savedir",    "Createdir", "Savesuffix",
                              "Saveprefix", "Starttrack", "Endtrack"};
    for (int row = 0; row < 7; ++row) {
        addLabel(f, captions[row], -1, 16, 27 + row * 24, 68, 14, font);
    }
    const struct {
        int id;
        const char* value;
        int limit;
    } edits[] = {{IDC_EDIT1, "C:\\", 0},
                 {IDC_EDIT2, "C:\\", 0},
                 {IDC_EDIT3, "TRACK", 6},
                 {IDC_EDIT4, "WAV", 3},
                 {IDC_EDIT5, "SAMPLE", 6}};
    for (int row = 0; row < 5; ++row) {
        HWND edit = addControl(f, "EDIT", edits[row].value, WS_TABSTOP | ES_AUTOHSCROLL,
                               edits[row].id, 88, 24 + row * 24, 129, 21, font, WS_EX_CLIENTEDGE);
        if (edits[row].limit > 0) {
            SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(edits[row].limit), 0);
        }
    }
    addSpinEdit(f, IDC_SPINEDIT1, 88, 144, 73, 21, kTrackRange, 1, font);
    addSpinEdit(f, IDC_SPINEDIT2, 88, 168, 73, 21, kTrackRange, 1, font);

    addGroup(f, "Sourcedirectory", 232, 8, 305, 193, font);
    addLabel(f, "Destinationdirectory", -1, 388, 8, 104, 14, font);
    s.source.create(f, IDC_DRIVECOMBOBOX1, IDC_DIRECTORYLISTBOX1, IDC_FILELISTBOX1, 240, 24, 141,
                    72, 72, font, s.fonts.small);
    s.destination.create(f, IDC_DRIVECOMBOBOX2, IDC_DIRECTORYLISTBOX2, IDC_FILELISTBOX2, 388, 24,
                         141, 72, 72, font, s.fonts.small);

    addGroup(f, "Loadformat", 544, 8, 185, 73, font);
    addRadioGroup(f,
                  {{"8-bit RAW", IDC_RADIOBUTTON3, 552, 24, 169, 16},
                   {"8-bit WAV", IDC_RADIOBUTTON4, 552, 40, 169, 16},
                   {"16-bit", IDC_RADIOBUTTON5, 552, 56, 169, 16}},
                  font);
    addGroup(f, "Saveformat", 544, 80, 185, 73, font);
    addRadioGroup(f,
                  {{"8-bit RAW", IDC_RADIOBUTTON1, 552, 96, 169, 16},
                   {"8-bit WAV", IDC_RADIOBUTTON2, 552, 112, 169, 16},
                   {"16-bit", IDC_RADIOBUTTON7, 552, 128, 169, 16}},
                  font);
    checkRadio(f, {IDC_RADIOBUTTON3, IDC_RADIOBUTTON4, IDC_RADIOBUTTON5}, IDC_RADIOBUTTON3);
    checkRadio(f, {IDC_RADIOBUTTON1, IDC_RADIOBUTTON2, IDC_RADIOBUTTON7}, IDC_RADIOBUTTON1);
    enable(f, IDC_RADIOBUTTON7, false);

    addGroup(f, "Processing", 544, 152, 185, 121, font);
    const struct {
        int id;
        const char* caption;
        bool checked;
    } boxes[] = {{IDC_CHECKBOX1, "Maximize", false},
                 {IDC_CHECKBOX3, "Auto skip", true},
                 {IDC_CHECKBOX4, "Auto run enabled", false},
                 {IDC_CHECKBOX5, "Delete processed files", false},
                 {IDC_CHECKBOX6, "Manual file selection", false},
                 {IDC_CHECKBOX7, "Same source and destination", true}};
    for (int row = 0; row < 6; ++row) {
        addButton(f, boxes[row].caption, boxes[row].id, 552, 168 + row * 16, 169, 16, font,
                  BS_AUTOCHECKBOX);
        setChecked(f, boxes[row].id, boxes[row].checked);
    }

    addGroup(f, "Triggers", 544, 272, 185, 97, font);
    addLabel(f, "Noise %", -1, 552, 291, 80, 14, font);
    addSpinEdit(f, IDC_SPINEDIT3, 640, 288, 81, 21, kNoiseRange, 5, font);
    addLabel(f, "Silence", -1, 552, 315, 80, 14, font);
    addSpinEdit(f, IDC_SPINEDIT4, 640, 312, 81, 21, kSilenceRange, 2000, font);
    addLabel(f, "Min. size", -1, 552, 339, 80, 14, font);
    addSpinEdit(f, IDC_SPINEDIT5, 640, 336, 81, 21, kMinSizeRange, 1000, font);
    addButton(f, "Track grab...", IDC_TRACKGRAB, 544, 380, 185, 25, font);

    addLabel(f, "Track", -1, 8, 208, 40, 16, s.valueFont);
    addLabel(f, "1", IDC_LABEL20, 48, 208, 176, 16, s.valueFont);
    addLabel(f, "Samples found:", -1, 232, 208, 100, 16, s.valueFont);
    addLabel(f, "0", IDC_LABEL1, 336, 208, 200, 16, s.valueFont);
    addImage(f, IDC_IMAGE1, 8, 224, &s.splitter.view().overview);
    addLabel(f, "Sample", -1, 8, 312, 48, 16, s.valueFont);
    addLabel(f, "0", IDC_LABEL12, 60, 312, 300, 16, s.valueFont);
    addImage(f, IDC_IMAGE2, 8, 328, &s.splitter.view().sound);

    addButton(f, "View previous", IDC_BUTTON2, 8, 416, 81, 17, font);
    addButton(f, "View next", IDC_BUTTON3, 92, 416, 73, 17, font);
    addButton(f, "Save?", IDC_CHECKBOX2, 170, 416, 48, 17, font, BS_AUTOCHECKBOX);
    setChecked(f, IDC_CHECKBOX2, true);
    addButton(f, "Analyze", IDC_BUTTON6, 220, 416, 65, 17, font);
    addButton(f, "Analyze next", IDC_BUTTON1, 288, 416, 81, 17, font);
    addButton(f, "Split&&save", IDC_BUTTON4, 372, 416, 73, 17, font);
    addButton(f, "Auto-mode", IDC_BUTTON5, 448, 416, 73, 17, font);
    addButton(f, "About!", IDC_BITBTN2, 524, 416, 57, 17, font);
    addLabel(f, "TALVIK2.0", IDC_LABEL7, 600, 413, 130, 23, s.fonts.logo);
}

}  // namespace talvik
