#include <gtest/gtest.h>

#include "command_rules.h"
#include "mixer_display.h"
#include "mixer_shortcut.h"
#include "resource.h"

namespace brevant {
namespace {

Song twoTracks() {
    Song song;
    song.trackCount = 2;
    song.currentTrack = 1;
    song.boost = 30;
    song.track(0).volume = 80;
    song.track(0).pan = 40;
    song.track(1).muted = 1;
    return song;
}

TEST(MixerDisplay, StripsFollowTheTracksAndTheRestAreDisabled) {
    RecorderSettings settings;
    const MixerDisplay display = mixerDisplay(twoTracks(), settings);
    EXPECT_TRUE(display.strips[0].enabled);
    EXPECT_EQ(display.strips[0].volumePosition, 20);
    EXPECT_EQ(display.strips[0].panPosition, 40);
    EXPECT_EQ(display.strips[0].volumeText, "80");
    EXPECT_EQ(display.strips[0].panText, "-60");
    EXPECT_TRUE(display.strips[1].muted);
    EXPECT_FALSE(display.strips[2].enabled);
    EXPECT_FALSE(display.strips[3].enabled);
    EXPECT_EQ(display.selected.volumeText, " Volume: 100");
    EXPECT_EQ(display.selected.panText, " Pan: 0");
    EXPECT_EQ(display.selected.boostText, " Boost: 30");
    EXPECT_EQ(display.selected.boostPosition, 70);
    EXPECT_EQ(display.statusParts,
              (std::array<std::string, 3>{"Freq: 44100", "Mono", "Tracks: 2"}));
}

TEST(MixerDisplay, NoTracksDisablesTheSelectedControlsAndStereoShows) {
    RecorderSettings settings;
    setRecordFormat(settings, 2, 22050, 16);
    const MixerDisplay display = mixerDisplay(Song{}, settings);
    EXPECT_FALSE(display.selected.enabled);
    EXPECT_FALSE(display.strips[0].enabled);
    EXPECT_EQ(display.statusParts[0], "Freq: 22050");
    EXPECT_EQ(display.statusParts[1], "Stereo");
}

TEST(MixerDisplay, StatusEdgesToolTipsSliderCodesAndDragging) {
    EXPECT_EQ(statusPartEdges(900), (std::array<int, 3>{300, 600, 900}));
    EXPECT_EQ(toolTipText(IDM_PREFERENCES), "Recording parameters dialog");
    EXPECT_EQ(toolTipText(IDM_HELP_CONTENTS), "Help contents");
    EXPECT_FALSE(toolTipText(IDM_RENDER));
    for (int code : {0, 1, 2, 3, 5}) EXPECT_TRUE(selectedSliderActs(code)) << code;
    for (int code : {4, 6, 7, 8}) EXPECT_FALSE(selectedSliderActs(code)) << code;
    EXPECT_EQ(draggedPanel({100, 50}, 10, 10, 25, 5), (PanelPosition{115, 45}));
}

TEST(MixerDisplay, APanelStoredOffScreenComesBackInside) {
    struct Case {
        const char* name;
        PanelPosition at, placed;
    };
    // A panel of 400 x 300 in a main window of 1000 x 700.
    const Case cases[] = {
        {"inside stays", {100, 50}, {100, 50}},
        {"enough showing at the right stays", {950, 50}, {950, 50}},
        {"enough showing above stays", {100, -250}, {100, -250}},
        {"past the right comes back whole", {990, 50}, {600, 50}},
        {"past the bottom comes back whole", {100, 5000}, {100, 400}},
        {"past the left comes back at 0", {-390, 50}, {0, 50}},
        {"far past both", {-5000, -5000}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(panelOnScreen(c.at, 400, 300, 1000, 700), c.placed) << c.name;
    EXPECT_EQ(panelOnScreen({990, 50}, 1200, 300, 1000, 700), (PanelPosition{0, 50}))
        << "larger than the window";
    EXPECT_EQ(panelOnScreen({5000, 50}, 400, 300, 0, 0), (PanelPosition{5000, 50}))
        << "no window size known";
}

TEST(MixerShortcut, KeyNamesChooseTrackAndDirection) {
    struct Case {
        char letter;
        int slot;
        bool up;
    };
    const Case cases[] = {{'Q', 0, true},
                          {'a', 0, false},
                          {'W', 1, true},
                          {'S', 1, false},
                          {'e', 2, true},
                          {'D', 2, false},
                          {'R', 3, true},
                          {'f', 3, false},
                          {'T', kCurrentTrackSlot, true},
                          {'G', kCurrentTrackSlot, false}};
    for (const Case& c : cases) {
        const auto shortcut = shortcutForKeyName(c.letter);
        ASSERT_TRUE(shortcut) << c.letter;
        EXPECT_EQ(shortcut->slot, c.slot) << c.letter;
        EXPECT_EQ(shortcut->up, c.up) << c.letter;
    }
    // "Space" and "Enter" act as S and E; other keys do nothing.
    EXPECT_EQ(shortcutForKeyName('S')->slot, 1);
    for (char other : {'Z', '1', ' ', '\0'}) EXPECT_FALSE(shortcutForKeyName(other)) << int(other);
}

TEST(MixerShortcut, StepsClampAndChooseVolumeOrPan) {
    struct Case {
        const char* name;
        char key;
        ShortcutModifiers modifiers;
        int startVolume, startPan, volume, pan;
    };
    const Case cases[] = {
        {"Q adds one", 'Q', {}, 50, 100, 51, 100},
        {"Shift steps ten, stopping at 100", 'Q', {true, false, false, false}, 95, 100, 100, 100},
        {"Caps Lock steps ten", 'A', {false, true, false, false}, 50, 100, 40, 100},
        {"below the step gives 0", 'A', {true, false, false, false}, 7, 100, 0, 100},
        {"Ctrl moves pan, stopping at 200", 'Q', {true, false, true, false}, 50, 195, 50, 200},
        {"Scroll Lock moves pan", 'A', {false, false, false, true}, 50, 100, 50, 99},
    };
    for (const Case& c : cases) {
        Song song;
        song.track(0).volume = static_cast<std::int16_t>(c.startVolume);
        song.track(0).pan = static_cast<std::int16_t>(c.startPan);
        applyShortcut(song, *shortcutForKeyName(c.key), c.modifiers);
        EXPECT_EQ(song.track(0).volume, c.volume) << c.name;
        EXPECT_EQ(song.track(0).pan, c.pan) << c.name;
        EXPECT_TRUE(song.modified) << c.name;
    }
}

TEST(MixerShortcut, TAndGActOnTheCurrentTrack) {
    Song song = twoTracks();
    applyShortcut(song, *shortcutForKeyName('G'), {});
    EXPECT_EQ(song.track(1).volume, 99);
    EXPECT_EQ(song.track(0).volume, 80);
}

TEST(CommandRules, RenderAndTrackEditsWaitForTheTransport) {
    const TransportState running[] = {
        {true, false, false, false}, {false, true, false, false}, {false, false, true, false}};
    for (int command : {IDM_RENDER, IDC_ADDTRACK, IDC_REMOVETRACK}) {
        EXPECT_TRUE(commandEnabled(command, {})) << command;
        for (const TransportState& state : running)
            EXPECT_FALSE(commandEnabled(command, state)) << command;
    }
    for (int command : {IDC_PLAY, IDM_NEW, IDM_OPEN, IDM_EXIT, IDM_PREFERENCES})
        EXPECT_TRUE(commandEnabled(command, {true, true, true, true})) << command;
}

TEST(CommandRules, NewAndOpenStopTheTransportAndExitStopsATakeBeforeThePrompt) {
    struct Case {
        const char* name;
        TransportState state;
        bool newOrOpen, exit;
    };
    const Case cases[] = {
        {"idle", {}, false, false},
        {"recording alone", {false, true, false, false}, true, true},
        {"recording over playback", {true, true, false, false}, true, true},
        {"a take waiting for the end of playback", {true, false, false, true}, true, true},
        {"playback alone", {true, false, false, false}, true, false},
        {"the MIDI file alone", {false, false, true, false}, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stopsTransportBeforePrompt(IDM_NEW, c.state), c.newOrOpen) << c.name;
        EXPECT_EQ(stopsTransportBeforePrompt(IDM_OPEN, c.state), c.newOrOpen) << c.name;
        EXPECT_EQ(stopsTransportBeforePrompt(IDM_EXIT, c.state), c.exit) << c.name;
        EXPECT_FALSE(stopsTransportBeforePrompt(IDM_SAVE, c.state)) << c.name;
    }
}

TEST(CommandRules, EditorCommandLineQuotesPartsWithSpaces) {
    struct Case {
        const char *editor, *track, *line;
    };
    const Case cases[] = {
        {"C:\\ed\\wave.exe", "C:\\take1.wav", "C:\\ed\\wave.exe C:\\take1.wav"},
        {"C:\\ed\\wave.exe", "C:\\my song\\take 1.wav",
         "C:\\ed\\wave.exe \"C:\\my song\\take 1.wav\""},
        {"C:\\Program Files\\ed.exe", "a.wav", "\"C:\\Program Files\\ed.exe\" a.wav"},
        {"\"C:\\Program Files\\ed.exe\"", "a.wav", "\"C:\\Program Files\\ed.exe\" a.wav"},
    };
    for (const Case& c : cases) EXPECT_EQ(editorCommandLine(c.editor, c.track), c.line) << c.track;
}

}  // namespace
}  // namespace brevant
