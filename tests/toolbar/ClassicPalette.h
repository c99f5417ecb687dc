#pragma once

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

// Gives the application classic desktop colours for one test, so that system-colour
// references and 3-D edges come out as known values: button face (212, 208, 200), shadow
// (128, 128, 128), highlight white.
class ClassicPalette : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = QGuiApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Button, QColor(212, 208, 200));
        palette.setColor(QPalette::Dark, QColor(128, 128, 128));
        palette.setColor(QPalette::Light, QColor(255, 255, 255));
        palette.setColor(QPalette::Midlight, QColor(223, 223, 223));
        palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
        QGuiApplication::setPalette(palette);
    }
    void TearDown() override { QGuiApplication::setPalette(saved); }

    static constexpr QRgb kFace = 0xFFD4D0C8;
    static constexpr QRgb kShadow = 0xFF808080;
    static constexpr QRgb kHighlight = 0xFFFFFFFF;

    QPalette saved;
};
