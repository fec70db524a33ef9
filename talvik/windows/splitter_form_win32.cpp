#include "splitter_form_win32.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "control_rules.h"
#include "file_names.h"
#include "resource.h"
#include "settings_record.h"

namespace talvik {

namespace {

constexpr UINT kShowStartNotice = WM_APP + 1;

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                             WS_MINIMIZEBOX;  // fixed border: no sizing, no maximize

struct SpinEditRange {
    int id;
    SpinRange range;
};
constexpr SpinEditRange kSpinEdits[] = {{IDC_SPINEDIT1, kTrackRange},
                                        {IDC_SPINEDIT2, kTrackRange},
                                        {IDC_SPINEDIT3, kNoiseRange},
                                        {IDC_SPINEDIT4, kSilenceRange},
                                        {IDC_SPINEDIT5, kMinSizeRange}};

std::string text(const SplitterFormState& s, int id) {
    return windowText(GetDlgItem(s.form, id));
}

void setText(SplitterFormState& s, int id, const std::string& value) {
    SetDlgItemTextA(s.form, id, value.c_str());
}

SampleFormat chosenLoad(HWND form) {
    return isChecked(form, IDC_RADIOBUTTON5)   ? SampleFormat::Bit16
           : isChecked(form, IDC_RADIOBUTTON4) ? SampleFormat::Wav8
                                               : SampleFormat::Raw8;
}

SampleFormat chosenSave(HWND form) {
    return isChecked(form, IDC_RADIOBUTTON7)   ? SampleFormat::Bit16
           : isChecked(form, IDC_RADIOBUTTON2) ? SampleFormat::Wav8
                                               : SampleFormat::Raw8;
}

void checkLoad(HWND form, int chosen) {
    checkRadio(form, {IDC_RADIOBUTTON3, IDC_RADIOBUTTON4, IDC_RADIOBUTTON5}, chosen);
}

// With no save format checked (16-bit taken away), Tab still stops on the group.
void checkSave(HWND form, int chosen) {
    checkRadio(form, {IDC_RADIOBUTTON1, IDC_RADIOBUTTON2, IDC_RADIOBUTTON7}, chosen);
}

// The engine's view on the controls: labels, enabled buttons, "Save?", pictures.
void showView(SplitterFormState& s) {
    const SplitterView& view = s.splitter.view();
    setText(s, IDC_LABEL20, view.trackLabel);
    setText(s, IDC_LABEL1, view.foundLabel);
    setText(s, IDC_LABEL12, view.soundLabel);
    enable(s.form, IDC_BUTTON2, view.viewPreviousEnabled);
    enable(s.form, IDC_BUTTON3, view.viewNextEnabled);
    enable(s.form, IDC_BUTTON4, view.splitSaveEnabled);
    setChecked(s.form, IDC_CHECKBOX2, view.saveChecked);
    InvalidateRect(GetDlgItem(s.form, IDC_IMAGE1), nullptr, FALSE);
    InvalidateRect(GetDlgItem(s.form, IDC_IMAGE2), nullptr, FALSE);
}

// Keeps the pictures and labels moving while Auto-mode runs through the range.
class AutoModeDisplay : public AutoModeObserver {
  public:
    explicit AutoModeDisplay(SplitterFormState& s) : s_(s) {}
    void trackAnalyzed(int) override {
        showView(s_);
        UpdateWindow(s_.form);
    }

  private:
    SplitterFormState& s_;
};

// ---- couplings ----

void DirectoryListBox2Change(SplitterFormState& s) {
    setText(s, IDC_EDIT2, DirectoryText(s.destination.directory(), NextAnsiChar));
}

void setDestinationDirectory(SplitterFormState& s, const std::string& directory) {
    if (s.destination.show(directory)) {
        DirectoryListBox2Change(s);
    }
}

void DirectoryListBox1Change(SplitterFormState& s) {
    setText(s, IDC_EDIT1, DirectoryText(s.source.directory(), NextAnsiChar));
    if (isChecked(s.form, IDC_CHECKBOX7)) {
        setDestinationDirectory(s, s.source.directory());
    }
}

void setSourceDirectory(SplitterFormState& s, const std::string& directory) {
    if (s.source.show(directory)) {
        DirectoryListBox1Change(s);
    }
}

void CheckBox7Click(SplitterFormState& s) {
    if (isChecked(s.form, IDC_CHECKBOX7)) {
        setDestinationDirectory(s, s.source.directory());
    }
}

void CheckBox6Click(SplitterFormState& s) {
    enable(s.form, IDC_FILELISTBOX1, isChecked(s.form, IDC_CHECKBOX6));
}

void CheckBox4Click(SplitterFormState& s) {
    enable(s.form, IDC_BUTTON5, isChecked(s.form, IDC_CHECKBOX4));
}

void SpinEdit1Change(SplitterFormState& s) {
    SplitterSettings settings = readSettings(s);
    const int end = settings.endTrack;
    StartTrackChanged(settings, settings.startTrack);
    s.splitter.startTrackChanged(settings.startTrack);
    if (settings.endTrack != end) {
        setSpinValue(s.form, IDC_SPINEDIT2, settings.endTrack);
    }
}

void SpinEdit2Change(SplitterFormState& s) {
    SplitterSettings settings = readSettings(s);
    const int end = settings.endTrack;
    EndTrackChanged(settings, end);
    if (settings.endTrack != end) {
        setSpinValue(s.form, IDC_SPINEDIT2, settings.endTrack);
    }
}

// Only a new value unmarks: leaving the box again must not take away a mark set by hand.
void SpinEdit5Change(SplitterFormState& s) {
    const SplitterSettings settings = readSettings(s);
    if (settings.minSize != s.committedMinSize) {
        s.committedMinSize = settings.minSize;
        s.splitter.minSizeChanged(settings);
        showView(s);
    }
}

// A typed value takes effect when it is committed (the box left, Enter, an arrow), never
// per keystroke: on the way from 12000 to 2000, or from 1 to 12, the text passes through
// values that must not act. The box then shows the value the commands use.
void spinEditCommitted(SplitterFormState& s, int id) {
    for (const SpinEditRange& edit : kSpinEdits) {
        if (edit.id == id) {
            const int value = spinValue(s.form, id, edit.range);
            if (text(s, id) != std::to_string(value)) {
                setSpinValue(s.form, id, value);
            }
        }
    }
    switch (id) {
        case IDC_SPINEDIT1:
            SpinEdit1Change(s);
            break;
        case IDC_SPINEDIT2:
            SpinEdit2Change(s);
            break;
        case IDC_SPINEDIT5:
            SpinEdit5Change(s);
            break;
        default:
            break;
    }
}

// Enter commits the spin edit that has the focus.
void enterPressed(SplitterFormState& s) {
    HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == s.form) {
        spinEditCommitted(s, GetDlgCtrlID(focus));
    }
}

void saveFormatClick(SplitterFormState& s, int id, SampleFormat format) {
    checkSave(s.form, id);
    SplitterSettings settings = readSettings(s);
    SaveFormatChosen(settings, format);
    setText(s, IDC_EDIT4, settings.saveSuffix);
}

void RadioButton1Click(SplitterFormState& s) {
    saveFormatClick(s, IDC_RADIOBUTTON1, SampleFormat::Raw8);
}
void RadioButton2Click(SplitterFormState& s) {
    saveFormatClick(s, IDC_RADIOBUTTON2, SampleFormat::Wav8);
}
void RadioButton7Click(SplitterFormState& s) {
    saveFormatClick(s, IDC_RADIOBUTTON7, SampleFormat::Bit16);
}

void loadFormatClick(SplitterFormState& s, int id, SampleFormat format) {
    checkLoad(s.form, id);
    SplitterSettings settings = readSettings(s);
    const bool was16 = Is16Bit(settings.save);
    const bool sixteenOffered = LoadFormatChosen(settings, format);
    if (!sixteenOffered && was16) {
        RadioButton1Click(s);  // as if clicked, so the suffix follows
    }
    if (!sixteenOffered) {
        setChecked(s.form, IDC_RADIOBUTTON7, false);
    }
    enable(s.form, IDC_RADIOBUTTON7, sixteenOffered);
}

void RadioButton3Click(SplitterFormState& s) {
    loadFormatClick(s, IDC_RADIOBUTTON3, SampleFormat::Raw8);
}
void RadioButton4Click(SplitterFormState& s) {
    loadFormatClick(s, IDC_RADIOBUTTON4, SampleFormat::Wav8);
}
void RadioButton5Click(SplitterFormState& s) {
    loadFormatClick(s, IDC_RADIOBUTTON5, SampleFormat::Bit16);
}

void BitBtn2Click(SplitterFormState& s) {
    showSmallForm(s.about);
}

void TrackGrabClick(SplitterFormState& s) {
    showSmallForm(s.grab);
    SetForegroundWindow(s.grab);
}

// ---- commands ----

class BusyCursor {
  public:
    BusyCursor() : old_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~BusyCursor() { SetCursor(old_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    HCURSOR old_;
};

void Button6Click(SplitterFormState& s) {
    BusyCursor busy;
    if (!s.splitter.analyze(readSettings(s))) {
        showWarning(s.warning, kFileDoesNotExist);
    }
    showView(s);
}

void Button1Click(SplitterFormState& s) {
    BusyCursor busy;
    s.splitter.analyzeNext(readSettings(s));
    showView(s);
}

void Button2Click(SplitterFormState& s) {
    s.splitter.viewPrevious(readSettings(s));
    showView(s);
}

void Button3Click(SplitterFormState& s) {
    s.splitter.viewNext(readSettings(s));
    showView(s);
}

void CheckBox2Click(SplitterFormState& s) {
    s.splitter.saveClicked(isChecked(s.form, IDC_CHECKBOX2));
}

void refreshFileLists(SplitterFormState& s) {
    s.source.refreshFiles();
    s.destination.refreshFiles();
}

void Button4Click(SplitterFormState& s) {
    BusyCursor busy;
    s.splitter.splitAndSave(readSettings(s));
    refreshFileLists(s);
}

void Button5Click(SplitterFormState& s) {
    BusyCursor busy;
    AutoModeDisplay display(s);
    s.splitter.autoMode(readSettings(s), &display);
    showView(s);
    refreshFileLists(s);
}

// ---- start and end ----

bool isExistingDirectory(const std::string& directory) {
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FormCreate(SplitterFormState& s) {
    createSplitterControls(s);
    // Both lists start in the current directory; the edits keep their defaults.
    s.source.show(s.settingsDir);
    s.destination.show(s.settingsDir);
    s.settingsPlace = ChooseSettingsPlace(s.settingsDir, *s.folders);
    if (!s.settingsPlace.notice.empty()) {
        s.startNotices.push_back({s.settingsPlace.notice, !s.settingsPlace.kept});
    }
    const SettingsRecord record = LoadStartupSettings(s.settingsPlace.readPath);
    const DirectoryLists started = directoryLists(s);
    DirectoryLists lists = started;
    SplitterSettings applied = readSettings(s);
    const std::vector<SettingsRecord::Field> notRestored =
        ApplyStartupRecord(record, lists, applied, isExistingDirectory, NextAnsiChar);
    if (lists.source != started.source) {
        setSourceDirectory(s, lists.source);
    }
    if (lists.destination != started.destination) {
        setDestinationDirectory(s, lists.destination);
    }
    // The saved texts replace what the list changes put there.
    setText(s, IDC_EDIT1, applied.sourceDir);
    setText(s, IDC_EDIT2, applied.saveDir);
    setText(s, IDC_EDIT3, applied.createDir);
    setText(s, IDC_EDIT4, applied.saveSuffix);
    setText(s, IDC_EDIT5, applied.savePrefix);
    enable(s.form, IDC_BUTTON5, false);
    s.splitter.setCurrentTrack(1);
    s.splitter.startTrackChanged(readSettings(s).startTrack);
    showView(s);
    if (!notRestored.empty()) {
        s.startNotices.push_back({NotRestoredMessage(notRestored), true});
    }
    if (!s.startNotices.empty()) {
        // Said once the window is up, rather than over a window not yet shown.
        PostMessageA(s.form, kShowStartNotice, 0, 0);
    }
}

void showStartNotices(SplitterFormState& s) {
    const std::vector<SplitterFormState::StartNotice> notices = std::move(s.startNotices);
    s.startNotices.clear();
    for (const auto& [text, error] : notices) {
        if (error)
            s.host.showError(s.form, text);
        else
            s.host.showNotice(s.form, text);
    }
}

// Shut-down, at close and at the end of the session alike.
void saveSettings(SplitterFormState& s) {
    try {
        SaveSettings(s.settingsPlace.writePath,
                     MakeSettingsRecord(directoryLists(s), readSettings(s), NextAnsiChar));
    } catch (const std::exception& e) {
        s.host.showError(nullptr,
                         e.what());  // the window is going; the settings of this run are lost
    }
}

// ---- dispatch ----

// An up-down arrow (clicked, or an arrow key in its box) has set its box's value.
void upDownMoved(SplitterFormState& s, HWND upDown) {
    if (upDown != nullptr) {
        spinEditCommitted(s, GetDlgCtrlID(upDown) - IDC_SPIN_UPDOWN_OFFSET);
    }
}

void command(SplitterFormState& s, int id, int code) {
    std::string asked;
    if (s.source.directoryAsked(id, code, asked)) {
        setSourceDirectory(s, asked);
        return;
    }
    if (s.destination.directoryAsked(id, code, asked)) {
        setDestinationDirectory(s, asked);
        return;
    }
    if (code == EN_KILLFOCUS) {
        spinEditCommitted(s, id);
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case IDOK:
            enterPressed(s);
            break;
        case IDC_CHECKBOX7:
            CheckBox7Click(s);
            break;
        case IDC_CHECKBOX6:
            CheckBox6Click(s);
            break;
        case IDC_CHECKBOX4:
            CheckBox4Click(s);
            break;
        case IDC_RADIOBUTTON1:
            RadioButton1Click(s);
            break;
        case IDC_RADIOBUTTON2:
            RadioButton2Click(s);
            break;
        case IDC_RADIOBUTTON7:
            RadioButton7Click(s);
            break;
        case IDC_RADIOBUTTON3:
            RadioButton3Click(s);
            break;
        case IDC_RADIOBUTTON4:
            RadioButton4Click(s);
            break;
        case IDC_RADIOBUTTON5:
            RadioButton5Click(s);
            break;
        case IDC_BITBTN2:
            BitBtn2Click(s);
            break;
        case IDC_TRACKGRAB:
            TrackGrabClick(s);
            break;
        case IDC_BUTTON6:
            Button6Click(s);
            break;
        case IDC_BUTTON1:
            Button1Click(s);
            break;
        case IDC_BUTTON2:
            Button2Click(s);
            break;
        case IDC_BUTTON3:
            Button3Click(s);
            break;
        case IDC_CHECKBOX2:
            CheckBox2Click(s);
            break;
        case IDC_BUTTON4:
            Button4Click(s);
            break;
        case IDC_BUTTON5:
            Button5Click(s);
            break;
        default:
            break;
    }
}

LRESULT dispatch(SplitterFormState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            FormCreate(s);
            s.ready = true;
            return 0;
        case WM_COMMAND:
            if (s.ready) {
                command(s, LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        case kShowStartNotice:
            showStartNotices(s);
            return 0;
        case WM_VSCROLL:
            if (s.ready) {
                upDownMoved(s, reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE && s.ready) {
                saveSettings(s);
            }
            return 0;
        case WM_DESTROY:
            if (s.ready) {
                saveSettings(s);  // never from a window whose FormCreate failed
            }
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(s.form, GWLP_USERDATA, 0);
            return DefWindowProcA(s.form, message, wParam, lParam);
        default:
            return DefWindowProcA(s.form, message, wParam, lParam);
    }
}

LRESULT CALLBACK SplitterProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        attachState<SplitterFormState>(form, lParam)->form = form;
    }
    SplitterFormState* state = splitterState(form);
    if (state == nullptr) {
        return DefWindowProcA(form, message, wParam, lParam);
    }
    // The one boundary: a failed command shows its message and the window stays usable,
    // showing what the engine holds.
    try {
        return dispatch(*state, message, wParam, lParam);
    } catch (const std::exception& e) {
        state->host.showError(form, e.what());
        if (state->ready) {
            showView(*state);
        }
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

bool registerSplitterClasses(HINSTANCE instance) {
    WNDCLASSA c{};
    c.lpfnWndProc = SplitterProc;
    c.hInstance = instance;
    c.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TALVIK));
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = kSplitterClassName;
    const bool main = RegisterClassA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return main && registerImageClass(instance) && registerSmallFormClasses(instance);
}

HWND createSplitterForm(HINSTANCE instance, SplitterFormState* state) {
    state->fonts.form = makeFont("MS Sans Serif", 11);
    state->fonts.logo = makeFont("Mistral", 16);
    state->fonts.panel = makeFont("Times New Roman", 16);
    state->fonts.message = makeFont("Times New Roman", kMessageFontHeight);
    state->fonts.button = makeFont("Times New Roman", 19);
    state->fonts.small = makeFont("Small Fonts", 7);
    state->valueFont = makeFont("MS Sans Serif", 13);
    const RECT frame = centredFrame(kFormStyle, 0, kSplitterClientWidth, kSplitterClientHeight);
    HWND form = CreateWindowExA(0, kSplitterClassName, "Talvik 2.0", kFormStyle, frame.left,
                                frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, state);
    if (form == nullptr) {
        return nullptr;
    }
    state->about = createAboutForm(instance, form, state->fonts);
    state->warning = createWarningForm(instance, form, state->fonts);
    state->grabFormState =
        std::make_unique<GrabFormState>(state->host, state->warning, state->fonts);
    state->grab = createGrabForm(instance, form, *state->grabFormState);
    return form;
}

SplitterFormState::~SplitterFormState() {
    for (HFONT font : {fonts.form, fonts.logo, fonts.panel, fonts.message, fonts.button,
                       fonts.small, valueFont}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
}

SplitterFormState* splitterState(HWND form) {
    return attachedState<SplitterFormState>(form);
}

SplitterSettings readSettings(const SplitterFormState& s) {
    SplitterSettings r;
    r.sourceDir = text(s, IDC_EDIT1);
    r.saveDir = text(s, IDC_EDIT2);
    r.createDir = text(s, IDC_EDIT3);
    r.saveSuffix = text(s, IDC_EDIT4);
    r.savePrefix = text(s, IDC_EDIT5);
    r.startTrack = spinValue(s.form, IDC_SPINEDIT1, kTrackRange);
    r.endTrack = spinValue(s.form, IDC_SPINEDIT2, kTrackRange);
    r.load = chosenLoad(s.form);
    r.save = chosenSave(s.form);
    r.maximize = isChecked(s.form, IDC_CHECKBOX1);
    r.autoSkip = isChecked(s.form, IDC_CHECKBOX3);
    r.deleteProcessed = isChecked(s.form, IDC_CHECKBOX5);
    r.noisePercent = spinValue(s.form, IDC_SPINEDIT3, kNoiseRange);
    r.silence = spinValue(s.form, IDC_SPINEDIT4, kSilenceRange);
    r.minSize = spinValue(s.form, IDC_SPINEDIT5, kMinSizeRange);
    return r;
}

DirectoryLists directoryLists(const SplitterFormState& s) {
    return {s.source.directory(), s.destination.directory()};
}

}  // namespace talvik
