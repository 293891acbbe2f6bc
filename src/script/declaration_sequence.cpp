// The one straight registration sequence of unit SYSTEM, as a list of tables.
#include "script/declaration_sequence.h"

#include "script/class_imports.h"
#include "script/standard_units.h"
#include "script/support_library.h"
#include "script/system_utilities.h"

#include <vector>

namespace script {

using namespace decl;

// The processor's default quiet NaN and the two infinities, as 80-bit extended bit patterns.
static constexpr Decl kExtendedConstants[] = {
    extendedConst("NaN", 0xC000000000000000ULL, 0xFFFF),
    extendedConst("Infinity", 0x8000000000000000ULL, 0x7FFF),
    extendedConst("NegInfinity", 0x8000000000000000ULL, 0xFFFF),
};

std::span<const Decl> extendedConstants()
{
    return kExtendedConstants;
}

static std::vector<DeclGroup> buildSequence()
{
    return {
        {"extended constants", extendedConstants()},
        {"date and time", dateUtilsUnit()},
        {"basic classes", stdUnit()},
        {"classes", classesUnit()},
        {"graphics", graphicsUnit()},
        {"controls", controlsUnit()},
        {"standard controls", stdCtrlsUnit()},
        {"forms", formsUnit()},
        {"menus", menusUnit()},
        {"picture", pictureImport()},
        {"extended controls", extCtrlsUnit()},
        {"buttons", buttonsUnit()},
        {"shaped form", coolFormImport()},
        {"gradient", gradientImport()},
        {"common controls", commonControlsImport()},
        {"picture show", picShowImport()},
        {"rich text viewer", richEditViewerImport()},
        {"text animator", textAnimatorImport()},
        {"text fader", textFaderImport()},
        {"drawing routines", supportDrawingRoutines()},
        {"marquee", marqueeImport()},
        {"media player control", windowsMediaPlayerImport()},
        {"internal play list", internalPlayListImport()},
        {"component events", componentEventsImport()},
        {"icon", iconImport()},
        {"event types", supportEventTypes()},
        {"library extensions", libraryExtensionsImport()},
        {"basic routines", supportBasicRoutines()},
        {"type aliases", supportTypeAliases()},
        {"integer constants", supportIntegerConstants()},
        {"native enumerations", supportNativeEnums()},
        {"string constants", supportStringConstants()},
        {"system utilities", systemUtilities()},
        {"music extras", supportMusicExtras()},
        {"web browser", webBrowserImport()},
        {"image button", imgBtnImport()},
        {"interactive label", interactiveLabelImport()},
        {"music routines", supportMusicRoutines()},
        {"flash player", shockwaveFlashImport()},
        {"media control", mediaControlImport()},
        {"program routines", supportProgramRoutines()},
        {"agent", agentImport()},
        {"screen routines", supportScreenRoutines()},
        {"scrolling credits", scrollingCreditsImport()},
        {"system routines", supportSystemRoutines()},
        {"file extras", supportFileExtras()},
        {"speech", supportSpeech()},
        {"autorun form", autorunFormImport()},
    };
}

std::span<const DeclGroup> systemDeclarations()
{
    static const std::vector<DeclGroup> sequence = buildSequence();
    return sequence;
}

} // namespace script
