#pragma once
#include <cstdint>

// The numbers of the string table's texts. A command's status-bar prompt and tool tip share
// the command's number and are looked up by the command id (base/command_ids.h).
namespace nl {

// Document template strings: window title, document name, type name, file-dialog filter
// name, extension, registry type id and its display name, one per line.
inline constexpr std::uint32_t kIdsDocumentStrings = 1000;
inline constexpr std::uint32_t kIdsRulerAppName = 1001;  // starts the ruler's caption

inline constexpr std::uint32_t kIdsOptionsCaption = 2001;  // "NerimLens: Options"
inline constexpr std::uint32_t kIdsColumnHeaders = 2002;   // colors list, one per line
inline constexpr std::uint32_t kIdsHotKeyPrompt = 2004;    // prompt of the hot key editor
inline constexpr std::uint32_t kIdsHotKeyColumns = 2006;   // hot key list, one per line
inline constexpr std::uint32_t kIdsColorFormats = 2008;    // id, name, format per format
inline constexpr std::uint32_t kIdsHotKeyCommands = 2009;  // command names, one per line
inline constexpr std::uint32_t kIdsUnits = 2010;           // id, name, abbreviation, format
inline constexpr std::uint32_t kIdsResumePicking = 2011;   // asked for the pick hot key
inline constexpr std::uint32_t kIdsStartToEnable = 2013;   // "Start to enable"
inline constexpr std::uint32_t kIdsRulerKeys = 2015;       // title, headings, command/key pairs
inline constexpr std::uint32_t kIdsSoundEvents = 2020;     // event names, one per line
inline constexpr std::uint32_t kIdsSoundNames = 2021;      // "None", "Tick1", ... one per line
inline constexpr std::uint32_t kIdsColorCountTip = 2025;   // tool tip of the color-count pane
inline constexpr std::uint32_t kIdsDataFileFilter = 2030;  // file dialogs of back-up, restore
inline constexpr std::uint32_t kIdsRestoreConfirm = 2031;  // told before restoring
inline constexpr std::uint32_t kIdsSoundColumns = 2032;    // sound list, one per line
inline constexpr std::uint32_t kIdsExportFilter = 2040;    // file dialog of "Save colors"
inline constexpr std::uint32_t kIdsImportFilter = 2041;    // file dialog of Import Colors
inline constexpr std::uint32_t kIdsRulerUnitAbbreviations = 2042;
inline constexpr std::uint32_t kIdsExportTags = 2043;         // tags offered, one per line
inline constexpr std::uint32_t kIdsDefaultTitle = 2047;       // default export title
inline constexpr std::uint32_t kIdsDefaultHeader = 2048;      // default export header
inline constexpr std::uint32_t kIdsDefaultFooter = 2049;      // default export footer
inline constexpr std::uint32_t kIdsTagNeedsField = 2050;      // tag menu without a field
inline constexpr std::uint32_t kIdsKeyboardIndicator = 2060;  // what the indicator means

// Status bar hints of the tools.
inline constexpr std::uint32_t kIdsHintDisabled = 2100;
inline constexpr std::uint32_t kIdsHintActivate = 2101;
inline constexpr std::uint32_t kIdsHintMoveOutside = 2102;
inline constexpr std::uint32_t kIdsHintPressEnter = 2103;
inline constexpr std::uint32_t kIdsHintCopyMagnified = 2104;
inline constexpr std::uint32_t kIdsHintCopyScreen = 2105;           // no capture open
inline constexpr std::uint32_t kIdsHintPressToStart = 2106;         // capture open, no gesture
inline constexpr std::uint32_t kIdsHintReleaseToFinish = 2107;      // capture gesture under way
inline constexpr std::uint32_t kIdsHintMeasure = 2110;              // no measurement open
inline constexpr std::uint32_t kIdsHintClickPoints = 2111;          // path open, no click yet
inline constexpr std::uint32_t kIdsHintDoubleClickToFinish = 2112;  // path being clicked out
inline constexpr std::uint32_t kIdsCountdownIntoPlace = 2109;       // "... move cursor into place!"
inline constexpr std::uint32_t kIdsCountdown = 2113;                // "... move cursor away!"
inline constexpr std::uint32_t kIdsHintKeepingMeasurements = 2114;  // keeping, none kept yet
inline constexpr std::uint32_t kIdsHintKeptMeasurements = 2115;     // keeping, some kept
inline constexpr std::uint32_t kIdsMeasurementHeading = 2116;       // "Measurement %1"
// A spacing cross: the space's size, then the distances left, right, up and down.
inline constexpr std::uint32_t kIdsMeaSpacing = 2117;
// A live sample without a color: the next pick's number and the position for %1 and %2.
inline constexpr std::uint32_t kIdsNoColorUnreadable = 2150;
inline constexpr std::uint32_t kIdsNoColorOffScreen = 2151;
// Frozen-screen picking: the hint while it runs and the error when the screen cannot freeze.
inline constexpr std::uint32_t kIdsHintFrozenScreen = 2152;
inline constexpr std::uint32_t kIdsCannotFreeze = 2153;  // the reason for %1
// A ruler command that needs to place the window where the desktop does not let it.
inline constexpr std::uint32_t kIdsRulerPlacementUnavailable = 2154;
// Screenshots asked of the desktop's portal: said before the first one of this setup, and
// while one goes long unanswered.
inline constexpr std::uint32_t kIdsScreenshotFirstAsk = 2155;
inline constexpr std::uint32_t kIdsScreenshotWaiting = 2156;

inline constexpr std::uint32_t kIdsReadErrorFatal = 25241;  // path, error, application: closes
inline constexpr std::uint32_t kIdsReadErrorAsk = 25242;    // path, error: OK tries an older file
inline constexpr std::uint32_t kIdsShowHide = 25253;        // "Sho&w\nHid&e"
inline constexpr std::uint32_t kIdsErrorNumber = 25260;     // "Error #%1: %2"
inline constexpr std::uint32_t kIdsErrorNumberWithData = 25266;  // "Error #%1: %2\n\nData: %3"
inline constexpr std::uint32_t kIdsApplicationStarted = 25300;   // first line of the balloon
inline constexpr std::uint32_t kIdsHotKeyNone = 25302;           // "None"
inline constexpr std::uint32_t kIdsInvalidHotKey = 25311;        // "Invalid hot key."
inline constexpr std::uint32_t kIdsHotKeysGrabbed = 25320;       // hot keys held on X11
inline constexpr std::uint32_t kIdsHotKeysPortal = 25321;        // hot keys through the portal
inline constexpr std::uint32_t kIdsHotKeysUnavailable = 25322;   // use --command instead
// Where the desktop holds the hot keys: the keys it bound, those it did not with the command
// lines for them, one key ("%1 (%2)": command, key) and the button to its shortcut settings.
inline constexpr std::uint32_t kIdsHotKeysPortalBound = 27230;
inline constexpr std::uint32_t kIdsHotKeysPortalUnbound = 27231;
inline constexpr std::uint32_t kIdsHotKeysPortalItem = 27232;
inline constexpr std::uint32_t kIdsHotKeysDesktopSettings = 27233;
// The edit dialog's typed new color: the box's tip (the forms), a text that is no color
// ("%1" text, "%2" why) and the note for an alpha left out.
inline constexpr std::uint32_t kIdsEditColorTypeTip = 27240;
inline constexpr std::uint32_t kIdsEditColorNotAColor = 27241;
inline constexpr std::uint32_t kIdsEditColorAlphaDropped = 27242;
// Color names: the colors list's Name column and the properties row, and the row's note for
// a color that is a named color and for one that is only near it ("%1" the distance).
inline constexpr std::uint32_t kIdsColorName = 27243;
inline constexpr std::uint32_t kIdsColorNameExact = 27244;
inline constexpr std::uint32_t kIdsColorNameNear = 27245;

// Texts of this program's own windows and messages. They take numbers from 27000 to 27099,
// a range no other text, command or resource uses. New texts take the next free number after
// the last one below.
inline constexpr std::uint32_t kIdsTogglePicking = 27000;  // "Start &picking\nStop &picking"
inline constexpr std::uint32_t kIdsOptionsLater = 27001;   // the Options command's stand-in
inline constexpr std::uint32_t kIdsToolbarTitle = 27002;   // the main toolbar's name
inline constexpr std::uint32_t kIdsAboutCaption = 27003;   // "About %1"
inline constexpr std::uint32_t kIdsAboutText = 27004;      // name, version, description, maker
inline constexpr std::uint32_t kIdsHelpTitle = 27005;      // "%1 Help"
inline constexpr std::uint32_t kIdsHelpMainKeys = 27006;   // heading of the main window's keys
inline constexpr std::uint32_t kIdsCopyInstructions = 27007;
inline constexpr std::uint32_t kIdsNoDataToCopy = 27008;
inline constexpr std::uint32_t kIdsHelpTools = 27009;     // heading of the help page's tools
inline constexpr std::uint32_t kIdsScaleCaption = 27010;  // the ruler's custom zoom dialog
inline constexpr std::uint32_t kIdsScaleFactor = 27011;   // "&Zoom factor:"
inline constexpr std::uint32_t kIdsScalePercent = 27012;  // "%"
inline constexpr std::uint32_t kIdsScaleAutoPreview = 27013;
inline constexpr std::uint32_t kIdsRulerKeysCaption = 27014;        // "NerimLens: %1"
inline constexpr std::uint32_t kIdsRulerHelpButton = 27015;         // "?"
inline constexpr std::uint32_t kIdsColPropsColumns = 27020;         // "Property\nValue\nRange"
inline constexpr std::uint32_t kIdsColPropsCaption = 27021;         // "Color Properties"
inline constexpr std::uint32_t kIdsColPropsCaptionIndex = 27022;    // "Color Properties #%1"
inline constexpr std::uint32_t kIdsEditColorCaption = 27025;        // "Edit Color #%1"
inline constexpr std::uint32_t kIdsEditColorTiles = 27026;          // "Old\nNew"
inline constexpr std::uint32_t kIdsEditColorChannels = 27027;       // hue, saturation, luminosity
inline constexpr std::uint32_t kIdsEditColorReset = 27028;          // "&Reset"
inline constexpr std::uint32_t kIdsEditColorSelect = 27029;         // "S&elect..."
inline constexpr std::uint32_t kIdsEditColorChannelResets = 27030;  // "H\nS\nL"
inline constexpr std::uint32_t kIdsColPropIndex = 27031;            // "Index"
inline constexpr std::uint32_t kIdsColPropRgb = 27032;              // "RGB"
inline constexpr std::uint32_t kIdsColPropHtml = 27033;             // "HTML"
inline constexpr std::uint32_t kIdsColPropHsl = 27034;              // "HSL"
inline constexpr std::uint32_t kIdsColPropHsv = 27035;              // "HSV"
inline constexpr std::uint32_t kIdsColPropCmyk = 27036;             // "CMYK"
inline constexpr std::uint32_t kIdsColPropSource = 27037;           // "Source"
inline constexpr std::uint32_t kIdsColPropRelativePos = 27038;      // "Relative pos"
inline constexpr std::uint32_t kIdsColPropAbsolutePos = 27039;      // "Absolute pos"
inline constexpr std::uint32_t kIdsColPropCreated = 27040;          // "Created"
inline constexpr std::uint32_t kIdsColPropModified = 27041;         // "Modified"
inline constexpr std::uint32_t kIdsColPropVersion = 27042;          // "Version"
inline constexpr std::uint32_t kIdsColPropNoteSource = 27043;       // "host caption"
inline constexpr std::uint32_t kIdsColPropNoteTime = 27044;         // "local time"
inline constexpr std::uint32_t kIdsColPropNoteVersion = 27045;      // "updates"
inline constexpr std::uint32_t kIdsMeaLine = 27046;                 // "Line"
inline constexpr std::uint32_t kIdsMeaBoundingBoxSize = 27047;      // "Bounding box size"
inline constexpr std::uint32_t kIdsMeaSlope = 27048;                // "Slope"
inline constexpr std::uint32_t kIdsMeaAngle = 27049;                // "Angle"
inline constexpr std::uint32_t kIdsMeaLength = 27050;               // "Length"
inline constexpr std::uint32_t kIdsMeaRectangle = 27051;            // "Rectangle"
inline constexpr std::uint32_t kIdsMeaSize = 27052;                 // "Size"
inline constexpr std::uint32_t kIdsMeaSurface = 27053;              // "Surface"
inline constexpr std::uint32_t kIdsMeaPerimeter = 27054;            // "Perimeter"
inline constexpr std::uint32_t kIdsMeaEllipseBox = 27055;           // "Bounding Box"
inline constexpr std::uint32_t kIdsMeaDiameters = 27056;            // "Diameters"
inline constexpr std::uint32_t kIdsMeaCircumference = 27057;        // "Circumference"
inline constexpr std::uint32_t kIdsMeaPathBox = 27058;              // "Bounding box"
inline constexpr std::uint32_t kIdsMeaPoints = 27059;               // "Points"
inline constexpr std::uint32_t kIdsMeaFirstLastPoints = 27060;      // "First & last points"
inline constexpr std::uint32_t kIdsMeaInfinity = 27061;             // "infinity"
inline constexpr std::uint32_t kIdsRulerCaptionOrigin = 27062;      // "rpos"
inline constexpr std::uint32_t kIdsRulerCaptionCursor = 27063;      // "pos"
inline constexpr std::uint32_t kIdsRulerCaptionProjection = 27064;  // "proj"
inline constexpr std::uint32_t kIdsRulerCaptionDistance = 27065;    // "dist"
inline constexpr std::uint32_t kIdsRulerCaptionAngle = 27066;       // "ang"
inline constexpr std::uint32_t kIdsUpdatesFromPackages = 27090;     // "Updates come from ..."
inline constexpr std::uint32_t kIdsOptionPageTitles = 27091;        // by page number
inline constexpr std::uint32_t kIdsGeneralPageTexts = 27092;        // rows: CPPGeneral
inline constexpr std::uint32_t kIdsExportPageTexts = 27093;         // rows: CPPExport
inline constexpr std::uint32_t kIdsMaintenancePageTexts = 27094;    // rows: CPPSystem
inline constexpr std::uint32_t kIdsOptionSheetButtons = 27095;      // OK, Cancel, Apply, Help
inline constexpr std::uint32_t kIdsDocChangedOnDisk = 27100;        // "%1 was changed by ..."
inline constexpr std::uint32_t kIdsDocChangedChoices = 27101;       // Reload, Overwrite, Save As
inline constexpr std::uint32_t kIdsDataFileKeptAs = 27102;          // "The file is kept as: %1"
inline constexpr std::uint32_t kIdsRecoverDocument = 27103;         // "... unsaved changes to %1"
inline constexpr std::uint32_t kIdsLogicalPixelUnit = 27104;       // id, name, abbreviation, format
inline constexpr std::uint32_t kIdsLogicalPixelHelp = 27105;       // "1 lpx = 1 device dot ÷ ..."
inline constexpr std::uint32_t kIdsClipPreviewCut = 27106;         // "... first %1 of %2 bytes ..."
inline constexpr std::uint32_t kIdsSampleStatNames = 27107;        // one row per statistic
inline constexpr std::uint32_t kIdsSampleSize = 27108;             // "%1 x %1"
inline constexpr std::uint32_t kIdsColPropSampled = 27109;         // "Sampled"
inline constexpr std::uint32_t kIdsColPropSampledValue = 27110;    // "%1 pixels, %2"
inline constexpr std::uint32_t kIdsColPropNoteSampled = 27111;     // "this session only"
inline constexpr std::uint32_t kIdsImportAsk = 27112;              // "Add the %1 colors of %2..."
inline constexpr std::uint32_t kIdsImportNoColors = 27113;         // "%1 holds no color..."
inline constexpr std::uint32_t kIdsImportListFull = 27114;         // only what fits was added
inline constexpr std::uint32_t kIdsImportSkipped = 27115;          // entries left out
inline constexpr std::uint32_t kIdsSettingsNoLongerSaved = 27190;  // restored, exit cancelled
inline constexpr std::uint32_t kIdsColorVisionNames = 27191;       // one row per simulation
inline constexpr std::uint32_t kIdsSimulationCaption = 27192;      // "Simulated: %1"
inline constexpr std::uint32_t kIdsSimulationSeverity = 27193;     // the severity submenu
inline constexpr std::uint32_t kIdsContrastVerdictNames = 27194;   // AA normal text, ...
inline constexpr std::uint32_t kIdsApcaLevelTexts = 27195;         // one row per APCA level
inline constexpr std::uint32_t kIdsContrastTexts = 27196;          // the Contrast window's labels

// The hot-key editor's note on a key another program's grab took.
inline constexpr std::uint32_t kIdsHotKeyHeldElsewhere = 27150;  // "%1 is held by another ..."

// The definitions of the units by unit id 0-7 ("1 px = 1 device dot"), which are also the
// prompts of the ruler's unit commands.
inline constexpr std::uint32_t kIdsUnitDefinitions = 3300;

// The framework's own texts.
inline constexpr std::uint32_t kIdsAppTitle = 57344;       // "NerimLens"
inline constexpr std::uint32_t kIdsIdleMessage = 57345;    // "Ready"
inline constexpr std::uint32_t kIdsUntitled = 61443;       // "Untitled"
inline constexpr std::uint32_t kIdpSaveModified = 61697;   // "Save changes to %1?"
inline constexpr std::uint32_t kIdpParseIntRange = 61705;  // "Enter an integer between %1 and %2."
inline constexpr std::uint32_t kIdpNotSupported = 61706;   // "Attempted an unsupported operation."
inline constexpr std::uint32_t kIdpArchBadFormat = 61720;  // "%1 has a bad format."
inline constexpr std::uint32_t kIdpArchEndOfFile = 61721;  // "Attempted to access %1 past its end."
inline constexpr std::uint32_t kIdpUnnamedFile = 61722;    // "an unnamed file"
inline constexpr std::uint32_t kIdpFileReadOnly = 61858;   // "Unable to write to %1, it is ..."

}  // namespace nl
