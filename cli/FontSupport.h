#pragma once
// Text in pictures needs Qt's GUI application; without a display the offscreen platform
// serves. Commands that draw keep one of these alive while they draw.

#include <memory>

class QGuiApplication;

class FontSupport {
public:
    FontSupport();
    ~FontSupport();

private:
    std::unique_ptr<QGuiApplication> m_app;
};
