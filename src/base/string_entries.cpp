#include "base/string_entries.h"

namespace nl {
namespace {

// The string table, sorted by number. Rows of a table string are separated by line feeds;
// a command's string is "status-bar prompt\ntool tip" (the tool tip part may be missing).
constexpr StringEntry kEntries[] = {
    // Document template strings: window title, document name, type name, file-dialog
    // filter name, extension, registry type id and its display name.
    {1000,
     "NerimLens\n\nNerimLens\nNerimLens Files (*.nlz)\n.nlz\nNerimLens.Document\n"
     "NerimLens.Document"},
    // Application name as the ruler caption starts it
    {1001, "NerimLens"},

    // Options sheet caption
    {2001, "NerimLens: Options"},
    // Colors list column headers (details view)
    {2002, " # \nColor\nPosition\n..."},
    // Hot-key dialog explanation
    {2004,
     "Define or cancel a hot key that you can press anytime to access the selected feature, "
     "even when NerimLens is hidden."},
    // Hot Keys page column headers
    {2006, "Command\nHot key\nEdit"},
    // Color formats: id, name, printf format
    {2008,
     "0\nCMYK\n%d, %d, %d, %d\n"
     "1\nHSL\n%d, %d, %d\n"
     "2\nHSV\n%d, %d, %d\n"
     "3\nHTML\n%02X%02X%02X\n"
     "4\n#HTML\n#%02X%02X%02X\n"
     "5\nhtml\n%02x%02x%02x\n"
     "6\n#html\n#%02x%02x%02x\n"
     "7\nRGB 0-1\n%0.2f, %0.2f, %0.2f\n"
     "8\nRGB 0-255\n%d, %d, %d\n"
     "9\nrgb()\nrgb(%d %d %d)\n"
     "10\nrgb(,)\nrgb(%d, %d, %d)\n"
     "11\nhsl()\nhsl(%.0f %.0f%% %.0f%%)\n"
     "12\nhwb()\nhwb(%.0f %.0f%% %.0f%%)\n"
     "13\nlab()\nlab(%.2f%% %.2f %.2f)\n"
     "14\nlch()\nlch(%.2f%% %.2f %.1f)\n"
     "15\noklab()\noklab(%.2f%% %.3f %.3f)\n"
     "16\noklch()\noklch(%.2f%% %.3f %.1f)\n"
     "17\n0xRRGGBB\n0x%02X%02X%02X"},
    // Hot-key commands, in hot-key id order
    {2009, "Show/Hide\nPick Color\nRuler\nClipboard Viewer\nContrast"},
    // Length units: id, name, abbreviation, number format
    {2010,
     "0\nPixel\npx\n%.0f\n"
     "1\nPica\npc\n%.2f\n"
     "2\nPoint\npt\n%.2f\n"
     "3\nTwip\ntw\n%.0f\n"
     "4\nCentimeter\ncm\n%.2f\n"
     "5\nInch\nin\n%.2f\n"
     "6\nDialog Base\ndbu\n%.2f\n"
     "7\nDialog\ndlu\n%.2f"},
    // Question when the pick hot key is pressed while picking is stopped
    {2011,
     "You have pressed the hot key used to pick colors.\n\n"
     "The operation was not completed because color picking is currently stopped.\n\n"
     "Would you like to resume color picking?"},
    // Position field while picking is stopped
    {2013, "Start to enable"},
    // Ruler shortcut-keys window: title, two column headings, then command/key pairs
    {2015,
     "Ruler Shortcut Keys\nRuler Command\nKeyboard Shortcut\n"
     "Horizontal\nO\n"
     "Inverted\nV\n"
     "Guide\nG\n"
     "Stay on Top\nCtrl+T\n"
     "Arrange\nHome\n"
     "Pixel\nP\n"
     "Pica\nA\n"
     "Point\nN\n"
     "Twip\nW\n"
     "Centimeter\nM\n"
     "Inch\nI\n"
     "Dialog Base\nB\n"
     "Dialog\nD\n"
     "Base 10\nCtrl+1\n"
     "Base 2\nCtrl+2\n"
     "Normal zoom\nCtrl+0\n"
     "Zoom In\nCtrl++\n"
     "Zoom Out\nCtrl+-\n"
     "Custom zoom\nZ\n"
     "Help\nF1\n"
     "Shortcut Keys\nK\n"
     "Next Unit\nU\n"
     "Move ruler by 1 pixel\nArrows\n"
     "Move ruler to cursor\nR\n"
     "Move cursor to ruler\nC\n"
     "Close\nAlt+F4"},
    // Sound events, in event order
    {2020, "Pick color\nMove cursor\nCopy cursor"},
    // Sound names, by sound number
    {2021, "None\nTick1\nTick2\nTick3\nTick4\nTick5\nTick6"},
    // Tool tip of the status bar's color-count pane
    {2025, "Number of colors picked"},
    // Data file back-up and restore
    {2030, "NerimLens Data Files (*.dat)|*.dat||"},
    {2031,
     "NerimLens will restore the data file and exit.\n\n"
     "Reopen NerimLens to start using the restored data."},
    // Sounds list column headers
    {2032, "Event\nSound\nEdit\nTest"},
    // Color export file filter
    {2040,
     "Text (*.txt)|*.txt|CSV (*.csv)|*.csv|HTML (*.htm)|*.htm|XML (*.xml)|*.xml|GIMP palette "
     "(*.gpl)|*.gpl|CSS custom properties (*.css)|*.css|JSON (*.json)|*.json|Adobe Swatch "
     "Exchange (*.ase)|*.ase||"},
    {2041,
     "Palettes and color lists (*.gpl *.css *.json *.ase *.txt *.csv)|*.gpl;*.css;*.json;*.ase;"
     "*.txt;*.csv|GIMP palette (*.gpl)|*.gpl|CSS (*.css)|*.css|JSON (*.json)|*.json|Adobe "
     "Swatch Exchange (*.ase)|*.ase|Text or CSV export (*.txt *.csv)|*.txt;*.csv||"},
    // Ruler caption unit abbreviations, in unit-bit order
    {2042, "px\npc\npt\ntwp\ncm\nin\ndbu\ndlu"},
    // Export tags offered for insertion
    {2043,
     "<appname/>\n<colors/>\n<computer/>\n<date/>\n<datetime/>\n<filename/>\n<filetitle/>\n"
     "<revision/>\n<time/>\n<user/>"},
    // Default export texts: title, header, footer
    {2047, "<filetitle/> (<colors/>)"},
    {2048, "<appname/>: <datetime/>"},
    {2049, "<computer/>: <user/>: <filename/>: rev. <revision/>"},
    // Tag menu without a target field
    {2050, "Click on one of the text boxes to indicate where the tag will be inserted."},
    // Explanation shown by the keyboard availability indicator
    {2060,
     "This button indicates whether you can use the keyboard to move the cursor, pick "
     "colors, or copy images.\n\n"
     "The keyboard is available for such tasks when the NerimLens window is active and the "
     "cursor is outside of it, and while measuring or capturing desktop items.\n\n"
     "Press F1 for more information."},

    // Status bar hints of the tools
    {2100, "Disabled"},
    {2101, "Click here to activate NerimLens"},
    {2102, "Move cursor outside this window"},
    {2103, "Press Enter key to pick colors"},
    {2104, "Press Ctrl+C to copy magnified image"},
    {2105, "Click on shape/window button to copy screen"},
    {2106, "Press and hold mouse button to start"},
    {2107, "Move cursor then release button to finish"},
    {2109, "%1 sec to snapshot - move cursor into place!"},
    {2110, "Click on shape button to measure"},
    {2111, "Click to create points"},
    {2112, "Double-click to finish"},
    {2113, "%1 sec to snapshot - move cursor away!"},
    {2114, "Keeping measurements (Shift+Enter stops keeping)"},
    {2115, "Kept: measure more, or press Enter when done"},
    {2116, "Measurement %1"},
    {2117, "Space: %1   Left %2   Right %3   Up %4   Down %5"},
    {2150, "%1: no color @ %2 - the screen cannot be read there"},
    {2151, "%1: no color @ %2 - outside every screen"},
    {2152, "Frozen screen: click or press Enter to pick, arrow keys move, Esc leaves"},
    {2153, "The screen cannot be frozen for picking: %1"},
    {2154, "This desktop does not let programs place their windows: drag the ruler instead."},
    {2155,
     "NerimLens asks the desktop for a screenshot; allow it once to pick colors without further "
     "questions"},
    {2156, "Waiting for the desktop's screenshot portal\xE2\x80\xA6"},

    // Keyboard helpers of the main window
    {3000, "Move the cursor one pixel to the left"},
    {3001, "Move the cursor one pixel to the right"},
    {3002, "Move the cursor one pixel up"},
    {3003, "Move the cursor one pixel down"},
    {3004, "Pick the color under the cursor"},
    {3005, "Replace the selected color with the color under the cursor"},
    {3006, "Cancel the current measurement or capture"},
    {3007, "Pick the color under the cursor after the pick delay"},

    // Tools and tool windows
    {3050, "Magnify the area around the cursor\nMagnifier"},
    {3051, "Copy an area of the screen to an image\nScreen Copier"},
    {3052, "Pick colors from the screen\nColor Picker"},
    {3053, "Measure lines, areas and paths on the screen\nGauge"},
    {3057, "Show or hide the on-screen ruler\nRuler"},
    {3058, "Show or hide the clipboard viewer\nClipboard Viewer"},
    // Clipboard viewer: formats window toggle
    {3059, "Formats"},
    {3060,
     "Show or hide the Contrast window: the contrast of a text and a background color\nContrast"},
    // Main window commands
    {3070, "Show or hide the Options window\nOptions"},
    {3071, "Keep the NerimLens window above other windows\nStay on Top"},
    {3072, "Reset the size and position of the NerimLens window\nArrange"},
    {3073, "Show or hide the grid lines of lists\nGridlines"},
    // Color properties window context menu
    {3090, "Copy the selected property"},
    {3091, "Copy all properties"},
    // Color picker toggles
    {3101, "Auto-stop"},
    {3102, "Copy data when it's captured\nAuto-copy"},
    // Toolbar form controls: descriptions and tool tips
    {3110, "Zoom factor"},
    {3111, "Zoom control\nZoom slider"},
    {3112, "Magnified area around the cursor"},
    {3115, "Keyboard availability indicator"},
    {3120, "Measurement unit"},
    {3121, "Color format"},
    {3122, "Cursor position properties"},
    {3123, "Window title at cursor position"},
    {3124,
     "Sample size: the square of pixels around the cursor that a pick reads (Shift+wheel over "
     "a zoom changes it)\nSample size"},
    {3125,
     "How the sampled pixels become one color: their mean, their mean in linear light, the "
     "median of each channel or the most frequent color\nSample statistic"},
    {3126, "The color at the center of the magnified area, in the color format\nCenter color"},
    {3127, "The CSS name of the center color, or of the named color nearest to it\nCSS name"},
    // Starting and stopping color picking
    {3135, "Start color picking and the live tools\nStart Picking"},
    {3136, "Start or stop color picking and the live tools"},
    {3137, "Stop color picking and the live tools\nStop Picking"},
    // Editing commands of the views
    {3150, "Delete the selected data"},
    {3151, "Copy the selected data"},

    // Clipboard viewer display formats: description and short name
    {3200, "Plain text\nTEXT"},
    {3201, "Rich Text Format\nRTF"},
    {3202, "HyperText Markup Language\nHTML"},
    {3203, "Windows Bitmap\nBITMAP"},
    {3204, "Enhanced Windows Metafile\nMETAFILE"},
    {3205, "File list\nFILES"},
    // Clipboard viewer commands
    {3234, "Empty the clipboard and release its data\nClear"},
    {3235, "Previous"},
    {3236, "Next"},

    // Ruler unit commands: the unit definitions
    {3300, "1 px = 1 device dot"},
    {3301, "1 pc = 1/6 inch = 12 points"},
    {3302, "1 pt = 1/72 inch = 20 twips"},
    {3303, "1 tw = 1/1440 inch = 1/20 point"},
    {3304, "1 cm = 0.39 inch"},
    {3305, "1 in = 2.54 centimeters"},
    {3306, "1 dbu = average system font size"},
    {3307, "1 dlu = horz: 1/4 dbu or vert: 1/8 dbu"},
    // Ruler pop-up menu caption items
    {3352, "Ruler position relative to the desktop"},
    {3353, "Cursor position relative to the desktop"},
    {3354, "Cursor position relative to the ruler"},
    {3355, "Cursor distance to the ruler"},
    {3356, "Angle between the cursor and the ruler"},

    // Color picker commands
    {3402, "Copy all colors"},
    {3428, "Save colors"},
    {3430, "Delete all colors"},
    {3432, "Show the properties of the selected color\nProperties"},
    {3438, "Goto color"},
    {3445, "Color under the cursor"},
    {3454, "Pick the color under the cursor\nPick Color"},
    {3455, "Replace the selected color with the color under the cursor\nReplace Color"},
    {3456, "Pick the color under the cursor after the pick delay\nDelayed Pick"},
    {3457, "Change the selected color\nEdit Color"},
    {3459, "Add the color under the cursor before the selected color\nAdd Color"},
    {3460, "Preview colors"},
    {3461, "Copy colors"},
    {3462, "Move the selected color up the list\nMove Up"},
    {3463, "Move the selected color down the list\nMove Down"},
    {3464, "Add the colors of a palette file to the list\nImport Colors"},
    {3465,
     "Show or hide the nearest CSS color name of each color in the details view\nColor Names"},

    // Screen copier shapes
    {3550, "Capture rectangle\nRectangle"},
    {3551, "Capture rounded rectangle\nRounded rectangle"},
    {3552, "Capture ellipse\nEllipse"},
    {3553, "Capture custom shape\nCustom"},
    {3554, "Capture window\nWindow"},
    {3555, "Capture monitor\nMonitor"},
    {3556, "Capture desktop\nDestop"},
    // Screen copier options and image commands
    {3570, "Include NerimLens in screenshots"},
    {3571, "Include cursor in screenshots"},
    {3572, "Save image to a file"},
    {3575, "Fit captured images to window\nFit to window"},

    // Magnifier commands
    {3600, "Display copy instructions"},
    {3601, "Stretch copies"},
    {3602, "Follow ruler"},
    {3604, "Draw cursor position"},
    {3605, "Copy the color at the center of the magnified area as text\nCopy Center Color"},

    // Gauge commands and options
    {3627, "Flash the measurement shape"},
    {3630, "Show NerimLens while measuring"},
    {3631, "Show grid while measuring"},
    {3632, "Copy all measurements"},
    {3633, "Delete all measurements"},
    // Gauge shapes
    {3640, "Measure line\nLine"},
    {3641, "Measure rectangle\nRectangle"},
    {3642, "Measure rectangle from center\nConcentric rectangle"},
    {3643, "Measure ellipse\nEllipse"},
    {3644, "Measure ellipse from center\nConcentric ellipse"},
    {3645, "Measure path\nPath"},
    {3650,
     "Snap measurement ends to edges (hold Alt to measure freely)\n"
     "Snap to Edges"},
    {3651,
     "Snap to the steepest color change in reach, passing over soft shadows and "
     "gradients\nIgnore Soft Edges"},
    {3652, "Snap to color changes of more than 8 per channel\nTolerance 8"},
    {3653, "Snap to color changes of more than 16 per channel\nTolerance 16"},
    {3654, "Snap to color changes of more than 24 per channel\nTolerance 24"},
    {3655, "Snap to color changes of more than 32 per channel\nTolerance 32"},
    {3656, "Snap to color changes of more than 48 per channel\nTolerance 48"},
    {3657,
     "Keep measurements on the screen while adding more (Shift+Enter while measuring)\n"
     "Keep Measurements"},
    {3658,
     "Copy the measured area of the screen with the measurements drawn in\n"
     "Copy Annotated Image"},
    {3659,
     "Save the measured area of the screen with the measurements drawn in, and their "
     "figures as JSON beside it\nSave Annotated Image"},

    // Color Export page buttons
    {5508, "Insert tag in text field"},
    {5522, "Empty text fields"},
    {5523, "Reset text fields"},

    // Data file read errors: %1 the path, %2 the error text, %3 the application name
    {25241,
     "An error occurred while reading the following configuration file:\n\n\t%1\n\n"
     "Error:\n\t%2\n\n"
     "%3 will now close.\n\n"
     "Please run the program again and it will start fresh with default settings, if "
     "possible."},
    {25242,
     "An error occurred while reading the following configuration file:\n\n\t%1\n\n"
     "Error:\n\t%2\n\n"
     "- Choose OK to try loading an older configuration file if available.\n"
     "- Choose Cancel to exit the application."},
    // Operating system too old
    {25250,
     "This application only runs under Windows XP, 2003, Vista, 2008, 7 or later.\n\n"
     "Check the file compatibility mode if the Windows version is correct."},
    // Show/Hide command text while hidden, while shown
    {25253, "Sho&w\nHid&e"},
    // Numbered errors: %1 the code in decimal, %2 the system text, %3 the datum
    {25260, "Error #%1: %2"},
    {25266, "Error #%1: %2\n\nData: %3"},
    // Start-up balloon, followed by the hot-key list
    {25300, "The application has started."},
    // Hot key texts
    {25302, "None"},
    {25311, "Invalid hot key."},
    // How the hot keys work in this session (Hot Keys page)
    {25320, "The hot keys work everywhere: NerimLens holds them on the X display."},
    {25321,
     "The hot keys work through the desktop's global shortcuts service, which may let "
     "you confirm or change them."},
    {25322,
     "This desktop lets no program hold global hot keys. Bind the commands in the "
     "desktop's own keyboard settings instead: nerimlens-cli command show-hide, "
     "pick-color, ruler, clipboard-viewer or contrast."},
    // Window, web site and updater commands
    {26000, "Show the NerimLens window"},
    {26002, "Show or hide the NerimLens window\nShow/Hide"},
    {26003, "Visit the NerimLens web site\nWeb Site"},
    {26010, "Check for a newer version of NerimLens\nCheck for Updates"},
    {26011, "Change how NerimLens checks for updates\nUpdate Settings"},

    // Picking item of the Tools and tray menus while picking is stopped, while it runs
    {27000, "Start &picking\nStop &picking"},
    // Shown by the Options command until the options window exists
    {27001, "The options window comes with a later version of NerimLens."},
    // Name of the main toolbar
    {27002, "Toolbar"},
    // About box: caption, then the text with the product name, version, description and maker
    {27003, "About %1"},
    {27004, "<b>%1</b><br>Version %2<br><br>%3<br><br>%4"},
    // Help window: title and the heading of the main window's keys
    {27005, "%1 Help"},
    {27006, "Keys of the main window"},
    // Magnifier: the copy instructions, and the error of a copy with nothing magnified
    {27007,
     "To copy the magnified image to the clipboard:\n\n"
     "1- Click on the NerimLens window to activate it\n"
     "2- Move the cursor to the desired location\n"
     "3- Press Ctrl+C\n\n"
     "For more options, select Tools > Screen Copier from the menu."},
    {27008, "There is no data available to copy to the clipboard."},
    // Help page heading of the tools
    {27009, "Tools"},
    // Ruler custom zoom dialog: caption, factor label, unit of the factor, preview check box
    {27010, "NerimLens: Ruler Custom Zoom"},
    {27011, "&Zoom factor:"},
    {27012, "%"},
    {27013, "&Auto-Preview"},
    // Ruler shortcut-keys window caption, around the title of the key list
    {27014, "NerimLens: %1"},
    // Ruler help button
    {27015, "?"},
    // Color properties window: column headings, caption without and with an entry number
    {27020, "Property\nValue\nRange"},
    {27021, "Color Properties"},
    {27022, "Color Properties #%1"},
    // Color edit dialog: caption, tile labels, channel labels and the two extra buttons
    {27025, "Edit Color #%1"},
    {27026, "Old\nNew"},
    {27027, "&Hue\n&Saturation\n&Luminosity"},
    {27028, "&Reset"},
    {27029, "S&elect..."},
    // Color edit dialog: the buttons that reset one channel
    {27030, "H\nS\nL"},
    // Color properties window: the row names, in the order of the rows
    {27031, "Index"},
    {27032, "RGB"},
    {27033, "HTML"},
    {27034, "HSL"},
    {27035, "HSV"},
    {27036, "CMYK"},
    {27037, "Source"},
    {27038, "Relative pos"},
    {27039, "Absolute pos"},
    {27040, "Created"},
    {27041, "Modified"},
    {27042, "Version"},
    // Color properties window: the notes that are words rather than ranges
    {27043, "host caption"},
    {27044, "local time"},
    {27045, "updates"},
    // Measurements: the row names of a line, a rectangle, an ellipse and a path
    {27046, "Line"},
    {27047, "Bounding box size"},
    {27048, "Slope"},
    {27049, "Angle"},
    {27050, "Length"},
    {27051, "Rectangle"},
    {27052, "Size"},
    {27053, "Surface"},
    {27054, "Perimeter"},
    {27055, "Bounding Box"},
    {27056, "Diameters"},
    {27057, "Circumference"},
    {27058, "Bounding box"},
    {27059, "Points"},
    {27060, "First & last points"},
    // Measurements: the slope of a vertical line
    {27061, "infinity"},
    // Ruler caption: the labels of the origin, cursor, projection, distance and angle readouts
    {27062, "rpos"},
    {27063, "pos"},
    {27064, "proj"},
    {27065, "dist"},
    {27066, "ang"},
    // Application: where updates come from when no updater is installed
    {27090, "Updates come from the package manager"},
    // Options sheet: the page titles by page number, then each page's control texts
    {27091, "General\nNotification\nHot Keys\nColor Export\nMaintenance"},
    {27092,
     "&Run NerimLens when I log in\nDocument management\n&None (ignore document changes)\n"
     "Nor&mal\nAuto-&load (open previous document on startup)\n"
     "Auto-&save (save current document on exit)\nRecent &documents shown in File menu:"},
    {27093,
     "&Clipboard:\nText (Tab delimited)\nCSV (Comma delimited)\nCSV (Semicolon delimited)\n"
     "HTML (HyperText Markup Language)\nXML (Extensible Markup Language)\nTemplates\n&Title:\n"
     "&Header:\n&Footer:\n<?>\nX\n<--"},
    {27094,
     "Updates\nC&onfigure Updates...\nCheck for &Updates\nData file\n&Back Up Data File...\n"
     "&Restore Data File...\n&Open File Location"},
    {27095, "OK\nCancel\n&Apply\nHelp"},
    // A save finds that another program changed the document's file since it was read
    {27100,
     "%1 was changed by another program since NerimLens opened or last saved it.\n\n"
     "Reload shows the file as it is now (the changes made here are lost), Overwrite replaces "
     "it with this document (the other program's changes are lost), Save As keeps both."},
    {27101, "&Reload\n&Overwrite\nSave &As..."},
    // Added to the data file's read error: where the unreadable file is kept
    {27102, "The file is kept as:\n\n\t%1"},
    // At start, when the last run ended without asking and kept a document with changes
    {27103,
     "NerimLens ended with unsaved changes to %1 (the session ended or the display was lost), "
     "and kept them.\n\nRestore them now?"},
    // The length unit after the shared ones: id, name, abbreviation, number format
    {27104, "8\nLogical pixel\nlpx\n%.2f"},
    {27105, "1 lpx = 1 device dot \xC3\xB7 the monitor's scale"},
    // Ends the clipboard viewer's text box when it shows only the start of a long text
    {27106, "[The preview ends here: it shows the first %1 of %2 bytes of the text.]"},
    // How picks sample the screen: the statistics, in their stored order, and the side
    {27107, "Mean\nLinear mean\nMedian\nMode"},
    {27108, "%1\xC3\x97%1"},
    // The color properties' row on how a color of this session was sampled
    {27109, "Sampled"},
    {27110, "%1 pixels, %2"},
    {27111, "this session only"},
    // The hot-key editor, when a key the user pressed went to another program's grab
    // Import Colors
    {27112, "Add the %1 colors of %2 to the list?"},
    {27113, "%1 holds no color NerimLens can read."},
    {27114, "The list holds at most 999 colors: %1 of the %2 colors of %3 were added."},
    {27115, "%1 entries of %2 give no color NerimLens can read; the others were added."},
    {27150, "%1 is held by another program."},
    {27190,
     "The restored settings take effect when NerimLens starts again. Until then, settings "
     "changed in this session are not saved."},
    {27191,
     "Normal vision\nProtanopia (no red cones)\nDeuteranopia (no green cones)\n"
     "Tritanopia (no blue cones)\nAchromatopsia (no color)\nProtanomaly (weak red)\n"
     "Deuteranomaly (weak green)\nTritanomaly (weak blue)"},
    {27192, "Simulated: %1"},
    {27193, "Severity"},
    {27194, "AA normal text\nAA large text\nAAA normal text\nAAA large text\nNon-text"},
    {27195,
     "Lc 90: preferred for body text\nLc 75: body text\nLc 60: content text\n"
     "Lc 45: headlines and large text\nLc 30: placeholders, disabled text\n"
     "Lc 15: non-text only\nToo little contrast for anything"},
    {27196,
     "&Text:\n&Background:\n&Pick\n&From List\n&Swap\n&Live: the text color follows the pointer "
     "while picking\nPoint at the %1 color and press Enter (Esc cancels).\nThe quick brown fox "
     "jumps\nColor-vision simulations\nNearest colors that pass\n&Use\n&Copy\n&Add to List\n"
     "No lightness of this hue reaches %1\n\"%1\" is not a color: %2\nC&opy Report\nP&ick\nFro&m "
     "List"},
    // Where the desktop holds the hot keys (Hot Keys page)
    {27230, "The desktop bound these hot keys through its global shortcuts service: %1."},
    {27231,
     "The desktop did not bind %1. Bind them in the desktop's own keyboard settings "
     "instead: %2."},
    {27232, "%1 (%2)"},
    {27233, "Open the Desktop's &Shortcut Settings"},
    // The edit dialog's typed new color
    {27240, "Type the new color: %1"},
    {27241, "\"%1\" is not a color: %2"},
    {27242, "The alpha is left out: the list holds opaque colors."},
    // Color names
    {27243, "Name"},
    {27244, "CSS color"},
    {27245,
     "nearest CSS color, \xCE\x94"
     "E %1"},

    // Framework: application title, idle prompt
    {57344, "NerimLens"},
    {57345, "Ready"},
    // Framework: document commands
    {57600, "Create a new document\nNew"},
    {57601, "Open an existing document\nOpen"},
    {57603, "Save the active document\nSave"},
    {57604, "Save the active document with a new name\nSave As"},
    // Framework: the recent-file entries of the File menu
    {57616, "Open this document"},
    {57617, "Open this document"},
    {57618, "Open this document"},
    {57619, "Open this document"},
    {57620, "Open this document"},
    {57621, "Open this document"},
    {57622, "Open this document"},
    {57623, "Open this document"},
    {57624, "Open this document"},
    {57625, "Open this document"},
    {57626, "Open this document"},
    {57627, "Open this document"},
    {57628, "Open this document"},
    {57629, "Open this document"},
    {57630, "Open this document"},
    {57631, "Open this document"},
    // Framework: application and help commands
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit NerimLens, asking to save the document if it changed\nExit"},
    {57670, "Display help for the current task or command\nHelp"},
    // Framework: bars and list view modes
    {59392, "Show or hide the toolbar\nToggle Toolbar"},
    {59393, "Show or hide the status bar\nToggle Status Bar"},
    {59408, "Display colors as small tiles\nSmall Icons"},
    {59409, "Display colors as large tiles\nIcons"},
    {59410, "Display colors in a list\nList"},
    {59411, "Display the details of each color\nDetails"},
    // Framework: title of a new document
    {61443, "Untitled"},
    // Framework: document, validation and archive messages
    {61697, "Save changes to %1?"},
    {61705, "Enter an integer between %1 and %2."},
    {61706, "Attempted an unsupported operation."},
    {61720, "%1 has a bad format."},
    {61721, "Attempted to access %1 past its end."},
    {61722, "an unnamed file"},
    {61858, "Unable to write to %1, it is read-only or opened by someone else."},
};

}  // namespace

std::span<const StringEntry> StringEntries() {
    return kEntries;
}

}  // namespace nl
