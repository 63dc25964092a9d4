#pragma once

// The numbers of the program's commands, menus, toolbars, forms and icons. A command id is
// also the string-table id of its status-bar prompt and tool tip ("prompt\ntool tip").
namespace nl::cmd {

// Framework commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFileMruFirst = 57616;  // the recent-file entries, 16 at most
inline constexpr int kFileMruLast = 57631;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpIndex = 57666;
inline constexpr int kHelpFinder = 57667;
inline constexpr int kHelpUsing = 57668;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kDefaultHelp = 57671;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kIndicatorHint = 59142;  // the status bar's hint pane

// Keyboard helpers (accelerator table 1000).
inline constexpr int kCursorLeft = 3000;
inline constexpr int kCursorRight = 3001;
inline constexpr int kCursorUp = 3002;
inline constexpr int kCursorDown = 3003;
inline constexpr int kPick = 3004;
inline constexpr int kCopy = 3005;
inline constexpr int kEscape = 3006;
inline constexpr int kShiftEnter = 3007;

// Main frame and application.
inline constexpr int kColorCountPane = 3023;
inline constexpr int kToolMagnifier = 3050;
inline constexpr int kToolScreenCopier = 3051;
inline constexpr int kToolColorPicker = 3052;
inline constexpr int kToolGauge = 3053;
inline constexpr int kRuler = 3057;
inline constexpr int kClipboardViewer = 3058;
inline constexpr int kContrast = 3060;
inline constexpr int kOptions = 3070;
inline constexpr int kStayOnTop = 3071;
inline constexpr int kArrange = 3072;
inline constexpr int kGridlines = 3073;
inline constexpr int kAutoStop = 3101;
inline constexpr int kAutoCopy = 3102;
inline constexpr int kZoomText = 3110;
inline constexpr int kZoomSlider = 3111;
inline constexpr int kZoomControl = 3112;
inline constexpr int kKeyboardIndicator = 3115;
inline constexpr int kUnitCombo = 3120;
inline constexpr int kColorFormatCombo = 3121;
inline constexpr int kPositionText = 3122;
inline constexpr int kWindowTitleText = 3123;
// How picks sample the screen: the square's side and the statistic.
inline constexpr int kSampleSizeCombo = 3124;
inline constexpr int kSampleStatCombo = 3125;
// The Magnifier's color at the centre of the zoom: its text and its CSS name.
inline constexpr int kCentreColorText = 3126;
inline constexpr int kCentreColorName = 3127;
inline constexpr int kResumePicking = 3135;
// The menu item that starts picking while it is stopped and stops it while it runs.
inline constexpr int kTogglePicking = 3136;
inline constexpr int kPickingStopped = 3137;  // sent after a key pick with auto-stop on
inline constexpr int kCopyAllColors = 3402;
inline constexpr int kExportColorsToFile = 3428;
inline constexpr int kDeleteAllColors = 3430;
inline constexpr int kPickColor = 3454;
inline constexpr int kCopyColor = 3455;
inline constexpr int kShiftEnterAction = 3456;
inline constexpr int kExportColorsToBrowser = 3460;
inline constexpr int kExportColorsToClipboard = 3461;
// File > Import Colors: appends the colors of a palette file to the list.
inline constexpr int kImportColors = 3464;
// View > Color Names: shows or hides the Name column of the colors list's details view.
inline constexpr int kColorNameColumn = 3465;
inline constexpr int kIncludeOwnWindows = 3570;
inline constexpr int kIncludeCursor = 3571;
inline constexpr int kSaveImage = 3572;
inline constexpr int kFitToWindow = 3575;
inline constexpr int kCopyInstructions = 3600;
inline constexpr int kStretchCopies = 3601;
inline constexpr int kFollowRuler = 3602;
inline constexpr int kDrawCursorPosition = 3604;
inline constexpr int kCopyCentreColor = 3605;  // the Magnifier's centre color as text
inline constexpr int kShowWhileMeasuring = 3630;
inline constexpr int kShowGridWhileMeasuring = 3631;
inline constexpr int kSounds = 5501;
inline constexpr int kShow = 26000;
inline constexpr int kShowHide = 26002;
inline constexpr int kWebSite = 26003;
inline constexpr int kCheckForUpdates = 26010;
inline constexpr int kUpdaterSettings = 26011;

// Dialog and window commands (the system's numbers).
inline constexpr int kCancel = 2;  // "Close" of a dialog window
inline constexpr int kClose = 8;   // "Close" of a tool window

// The views' editing commands.
inline constexpr int kEditDelete = 3150;
inline constexpr int kEditCopy = 3151;
inline constexpr int kCopyLiveColor = 3423;
inline constexpr int kColorProperties = 3432;
inline constexpr int kGotoColor = 3438;
inline constexpr int kColorTile = 3445;
inline constexpr int kEditColor = 3457;
inline constexpr int kAddColor = 3459;
inline constexpr int kMoveColorUp = 3462;
inline constexpr int kMoveColorDown = 3463;
inline constexpr int kCopyProperty = 3090;
inline constexpr int kCopyAllProperties = 3091;
// The colors list's view modes.
inline constexpr int kViewSmallIcons = 59408;
inline constexpr int kViewLargeIcons = 59409;
inline constexpr int kViewList = 59410;
inline constexpr int kViewDetails = 59411;

// Screen copier shapes, in shape order.
inline constexpr int kCaptureRectangle = 3550;
inline constexpr int kCaptureRoundedRectangle = 3551;
inline constexpr int kCaptureEllipse = 3552;
inline constexpr int kCaptureCustom = 3553;
inline constexpr int kCaptureWindow = 3554;
inline constexpr int kCaptureMonitor = 3555;
inline constexpr int kCaptureDesktop = 3556;
// The magnifier view's zoom control.
inline constexpr int kMagnifierZoom = 3603;

// Gauge: the measurements view's commands and the measuring buttons, in shape order.
inline constexpr int kPreviewMeasurement = 3627;
inline constexpr int kCopyAllMeasurements = 3632;
inline constexpr int kDeleteAllMeasurements = 3633;
inline constexpr int kMeasureLine = 3640;
inline constexpr int kMeasureRectangle = 3641;
inline constexpr int kMeasureRectangleFromCenter = 3642;
inline constexpr int kMeasureEllipse = 3643;
inline constexpr int kMeasureEllipseFromCenter = 3644;
inline constexpr int kMeasurePath = 3645;
// Snapping of the Gauge's ends to edges: on or off, the steepest change (passing over soft
// shadows and gradients) or the nearest one, and the tolerance's steps.
inline constexpr int kSnapToEdges = 3650;
inline constexpr int kSnapSteepest = 3651;
inline constexpr int kSnapToleranceFirst = 3652;
inline constexpr int kSnapToleranceLast = 3656;
inline constexpr int kKeepMeasurements = 3657;
inline constexpr int kCopyAnnotatedImage = 3658;
inline constexpr int kSaveAnnotatedImage = 3659;

// Clipboard viewer.
inline constexpr int kClipboardFormats = 3059;
// The display formats Text, RTF, HTML, Bitmap, Metafile and File List, in this order.
inline constexpr int kClipboardShowText = 3200;
inline constexpr int kClipboardShowFileList = 3205;
inline constexpr int kClipboardClear = 3234;
inline constexpr int kClipboardPrevious = 3235;
inline constexpr int kClipboardNext = 3236;

// Ruler window.
// The unit commands run from Pixel to Dialog in the order Pixel, Pica, Point, Twip,
// Centimeter, Inch, Dialog Base, Dialog.
inline constexpr int kRulerUnitPixel = 3300;
inline constexpr int kRulerUnitDialog = 3307;
inline constexpr int kRulerNextUnit = 3308;
// The logical pixel follows Dialog among the units, with a number of its own.
inline constexpr int kRulerUnitLogical = 3309;
inline constexpr int kRulerBase10 = 3310;
inline constexpr int kRulerBase2 = 3311;
inline constexpr int kRulerHorizontal = 3321;
inline constexpr int kRulerInverted = 3322;
inline constexpr int kRulerGuide = 3323;
inline constexpr int kRulerArrange = 3327;
inline constexpr int kRulerMoveToCursor = 3328;
inline constexpr int kRulerNormalZoom = 3336;
inline constexpr int kRulerZoomIn = 3337;
inline constexpr int kRulerZoomOut = 3338;
inline constexpr int kRulerCustomZoom = 3339;
inline constexpr int kRulerMoveCursorToRuler = 3340;
// The caption items: Units, Scale, Ruler Position, Cursor Position, Cursor Projection, Cursor
// Distance, Cursor Angle.
inline constexpr int kRulerCaptionFirst = 3350;
inline constexpr int kRulerCaptionLast = 3356;
inline constexpr int kRulerShortcutKeys = 3370;

}  // namespace nl::cmd

namespace nl::res {

// Menus.
inline constexpr int kMenuMain = 1000;  // no tool active
inline constexpr int kMenuTray = 1050;  // the notification icon's menu
inline constexpr int kMenuMagnifier = 1070;
inline constexpr int kMenuScreenCopier = 1071;
inline constexpr int kMenuColorPicker = 1072;
inline constexpr int kMenuGauge = 1073;
// Accelerator table and toolbar of the main frame.
inline constexpr int kAcceleratorsMain = 1000;
inline constexpr int kToolbarMain = 1000;
inline constexpr int kToolbarClipboardViewer = 1059;
// Toolbar forms of the tools.
inline constexpr int kFormMagnifier = 1010;
inline constexpr int kFormScreenCopier = 1011;
inline constexpr int kFormColorPicker = 1012;
inline constexpr int kFormGauge = 1013;
// Context menus and the tool windows' menus.
inline constexpr int kMenuColorsContext = 1051;
inline constexpr int kMenuColorPropertiesContext = 1052;
inline constexpr int kMenuCapturedImageContext = 1053;
inline constexpr int kMenuRuler = 1058;
inline constexpr int kMenuClipboardViewer = 1059;
inline constexpr int kMenuMeasurementsContext = 1060;
// The ruler window's keys.
inline constexpr int kAcceleratorsRuler = 1058;
// Icons.
inline constexpr int kIconStarted = 1000;
inline constexpr int kIconStopped = 1100;
inline constexpr int kIconKeyboardAvailable = 3115;
inline constexpr int kIconKeyboardUnavailable = 3116;
// The Edit and Test buttons in the rows of the options' lists.
inline constexpr int kIconEdit = 1138;
inline constexpr int kIconTest = 1147;

}  // namespace nl::res
