#pragma once

// Command identifiers of the main menu and the buttons. Stored key files refer to commands by
// these numbers, so they never change.
namespace orbis::cmd {

// DAISY
inline constexpr int kOpen = 32774;
inline constexpr int kOpenFromList = 33012;
inline constexpr int kZip = 33050;
inline constexpr int kLastBook = 32780;
inline constexpr int kChangeVolume = 33009;
inline constexpr int kBookInformation = 33053;
inline constexpr int kTitleInformation = 33054;
inline constexpr int kGerman = 32953;
inline constexpr int kEnglish = 32954;
inline constexpr int kFirstDriveItem = 1124;
inline constexpr int kLastDriveItem = 1150;
inline constexpr int kExit = 32772;
// Navigation
inline constexpr int kPhraseForward = 32778;
inline constexpr int kPhraseBackward = 32779;
inline constexpr int kGroupNext = 32991;
inline constexpr int kGroupPrevious = 32979;
inline constexpr int kPageNext = 32984;
inline constexpr int kPagePrevious = 32982;
inline constexpr int kPageGoto = 32983;
inline constexpr int kSkipFootnotes = 32785;
inline constexpr int kSkipSidebars = 32786;
inline constexpr int kSkipProdNotes = 32787;
inline constexpr int kSkipPageNumbers = 33011;
inline constexpr int kSwitchToTree = 32965;
// Audio
inline constexpr int kVolumeUp = 32793;
inline constexpr int kVolumeNormal = 32800;
inline constexpr int kVolumeDown = 32795;
inline constexpr int kFaster = 32797;
inline constexpr int kSpeedNormal = 32801;
inline constexpr int kSlower = 32799;
inline constexpr int kWindForward = 32805;
inline constexpr int kWindBackward = 32807;
inline constexpr int kPauseContinue = 32808;
inline constexpr int kAutoPlay = 32840;
// Jumps by time in the book, the sleep timer and the text size: commands added to the original
// set. Their numbers lie above every older one, so key files of either age stay valid.
inline constexpr int kJumpBack10 = 33101;
inline constexpr int kJumpForward10 = 33102;
inline constexpr int kJumpBack60 = 33103;
inline constexpr int kJumpForward60 = 33104;
inline constexpr int kSleepOff = 33110;
inline constexpr int kSleep15 = 33111;
inline constexpr int kSleep30 = 33112;
inline constexpr int kSleep45 = 33113;
inline constexpr int kSleep60 = 33114;
inline constexpr int kSleep90 = 33115;
inline constexpr int kSleepEndOfHeading = 33116;
inline constexpr int kSleepTimerMenu = 33117;  // opens the sleep timer's menu where the reader is
inline constexpr int kSleepTimeLeft = 33118;   // tells how long the sleep timer still runs
inline constexpr int kZoomIn = 33120;
inline constexpr int kZoomOut = 33121;
inline constexpr int kZoomReset = 33122;
// The switch that lets the speech synthesizer read text that has no audio.
inline constexpr int kReadAloud = 33071;
// Text
inline constexpr int kMarkBackground = 32844;
inline constexpr int kMarkItalic = 32847;
inline constexpr int kMarkBold = 32846;
inline constexpr int kMarkTextColor = 32848;
inline constexpr int kSwitchToText = 32966;
inline constexpr int kBraille = 33036;
// Bookmarks
inline constexpr int kBookmarkSet = 32851;
inline constexpr int kBookmarkDelete = 32859;
inline constexpr int kBookmarkNext = 32860;
inline constexpr int kBookmarkPrevious = 32854;
inline constexpr int kBookmarkList = 33034;
// Search
inline constexpr int kSearchHeadings = 32861;
inline constexpr int kSearchText = 32862;
inline constexpr int kSearchBook = 32881;
inline constexpr int kSearchNext = 32863;
inline constexpr int kSearchPrevious = 32858;
inline constexpr int kSearchList = 33035;
// Settings
inline constexpr int kGlobalSettings = 33032;
inline constexpr int kKeyAssignment = 33033;
// Help
inline constexpr int kHelp = 32867;
inline constexpr int kAbout = 32866;
inline constexpr int kUpdate = 33056;
// Information popups that no window shows; their commands still work.
inline constexpr int kBookTimeTotal = 32828;
inline constexpr int kBookTimeHeard = 32829;
inline constexpr int kBookTimeRest = 32830;
inline constexpr int kBookEntries = 32827;
inline constexpr int kBookLevels = 32815;
inline constexpr int kTitleTimeTotal = 32850;
inline constexpr int kTitleTimeHeard = 32832;
inline constexpr int kTitleTimeRest = 32849;
inline constexpr int kTitleIndex = 32824;
inline constexpr int kTitleLevel = 32825;
// The system menu's about item.
inline constexpr int kSystemAbout = 16;

}  // namespace orbis::cmd

// Control identifiers of the main window.
namespace orbis::ctl {
inline constexpr int kTextView = 1004;
inline constexpr int kPlayer = 1001;
inline constexpr int kCurrentText = 1046;
inline constexpr int kTree = 1073;
inline constexpr int kLabelTextView = 1069;
inline constexpr int kLabelCurrentText = 1070;
inline constexpr int kLabelTree = 1074;
inline constexpr int kTitleTable = 1007;
inline constexpr int kPhraseTable = 1008;
inline constexpr int kPageTable = 1012;
inline constexpr int kHitTable = 1029;
inline constexpr int kBookmarkTable = 1025;
inline constexpr int kGroupTable = 1042;
inline constexpr int kButtonOpen = 32774;
inline constexpr int kButtonLevels = 1045;
inline constexpr int kButtonGroups = 1047;
inline constexpr int kButtonSearch = 1049;
inline constexpr int kButtonBookmarks = 1048;
inline constexpr int kButtonSetBookmark = 1062;
inline constexpr int kButtonSpeed = 1058;
inline constexpr int kButtonVolume = 1053;
inline constexpr int kButtonMute = 1054;
inline constexpr int kButtonPlay = 1050;
inline constexpr int kButtonStop = 1052;
inline constexpr int kButtonRewind = 1051;
inline constexpr int kButtonForward = 1055;
inline constexpr int kButtonPreviousLevel = 32775;
inline constexpr int kButtonNextLevel = 1056;
inline constexpr int kButtonPreviousPhrase = 1057;
inline constexpr int kButtonNextPhrase = 1059;
inline constexpr int kButtonPreviousPage = 1060;
inline constexpr int kButtonNextPage = 1061;
}  // namespace orbis::ctl
