#include "board/Form1.h"
#include "settings/FormA.h"
#include "settings/FormSet.h"

#include <QLabel>
#include <QPushButton>

// The fixed English captions of all three windows, set at every activation of the
// main window.
void Form1::english() {
    ButtonNew->setText(QStringLiteral("New"));
    buttonCheck->setText(QStringLiteral("Check"));
    ButtonEnd->setText(QStringLiteral("End"));
    ButtonReady->setText(QStringLiteral("Ready"));
    ButtonSet->setText(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Tessarin training"));
    Panel2->setStatus(QStringLiteral("Tessarin training"));
    if (m_formSet) {
        m_formSet->setWindowTitle(QStringLiteral("S e t t i n g s"));
        m_formSet->Label1->setText(QStringLiteral("Amount of lines"));
        m_formSet->Label2->setText(QStringLiteral("Range of array"));
        m_formSet->Label4->setText(QStringLiteral("Show time"));
        m_formSet->Label7->setText(QStringLiteral("Current level"));
        m_formSet->Button3->setText(QStringLiteral("About"));
        m_formSet->Button2->setText(QStringLiteral("Cancel"));
        m_formSet->Button1->setText(QStringLiteral("OK"));
    }
    if (m_formA) {
        m_formA->Label4->setText(QStringLiteral("Tessarin training"));
        m_formA->Button3->setVisible(true);
    }
}
