#include "board/Form1.h"

void Form1::english() {
    ButtonNew->setText(QStringLiteral("New"));
    buttonCheck->setText(QStringLiteral("Check"));
    ButtonEnd->setText(QStringLiteral("End"));
    ButtonReady->setText(QStringLiteral("Ready"));
    ButtonSet->setText(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Tessarin training"));
    Panel2->setText(QStringLiteral("Tessarin training"));
}
