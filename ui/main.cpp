// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShowMainWindow.h"
#include "ui/Unit1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TForm1 Form1;
    ShowMainWindow(Form1);
    return QApplication::exec();
}
