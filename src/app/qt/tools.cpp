#include "app/qt/tools.h"

#include "capture/qt/export_image.h"
#include "capture/qt/register_capture.h"
#include "clipboard/qt/register_clipboard.h"
#include "colors/qt/register_colors.h"
#include "contrast/qt/register_contrast.h"
#include "framework/qt/CToolRegistry.h"
#include "gauge/qt/register_gauge.h"
#include "magnifier/qt/register_magnifier.h"
#include "options/qt/register_options.h"
#include "ruler/qt/register_ruler.h"

namespace nl {

const CToolRegistry& ProgramTools() {
    static const CToolRegistry tools = [] {
        CToolRegistry registry;
        RegisterMagnifier(registry);
        RegisterScreenCopier(registry);
        RegisterColorPicker(registry);
        RegisterGauge(registry);
        RegisterRuler(registry);
        RegisterClipboardViewer(registry, ExportImageDialog);
        RegisterContrast(registry);
        RegisterOptions(registry);
        return registry;
    }();
    return tools;
}

}  // namespace nl
