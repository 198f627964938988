#include "FontSupport.h"

#include <cstdlib>

#include <QGuiApplication>

namespace {
int g_argc = 1;
char g_name[] = "arborix-cli";
char* g_argv[] = {g_name, nullptr};
} // namespace

FontSupport::FontSupport() {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    m_app = std::make_unique<QGuiApplication>(g_argc, g_argv);
}

FontSupport::~FontSupport() = default;
