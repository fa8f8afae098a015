#include "engine/base/text_resources.h"

namespace {

// The window settings the program ships with. The text file beside the
// executable lays its own keys over these.
constexpr std::string_view kWindowConfig =
    "#SPEC_TXT\r\n"
    "// window settings built into the program\r\n"
    "M_SPEC = win\r\n"
    "RSC_PATH = windata/\t// empty: M_SPEC followed by data/\r\n"
    "CLASSNAME = HALVIR ORBANE\t// default: vantorlib\r\n"
    "CAPTION = HALVIR ORBANE\t// default: vantorlib\r\n"
    "WINDOW_W = 1920\t// default: 640,480\r\n"
    "WINDOW_H = 1080\r\n"
    "FULLSCREEN_MODE = 0\t// 1: start in full screen\r\n"
    "POPUP_STYLE = 1\t// 1: borderless window without a cursor\r\n";

}  // namespace

std::string_view findTextResource(int resourceId) {
    return resourceId == kWindowConfigResourceId ? kWindowConfig : std::string_view();
}
