#include "ui/Ui.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

TEST(MainWindow, OpensAndClosesWithItsTitle)
{
    auto* window = new TfrmUI;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), "Tallivoranda");
    EXPECT_TRUE(window->close());
    delete window;
}
