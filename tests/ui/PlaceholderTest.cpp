#include <QWidget>
#include <gtest/gtest.h>

TEST(UiPlaceholder, AWidgetCanBeMadeOffscreen) {
    QWidget w;
    w.resize(100, 50);
    EXPECT_EQ(w.width(), 100);
}
