#pragma once

#include <QLabel>

// The main window's status line `Panel2`: the title, or the instruction for the phase.
// Assistive technology knows it as a status line whose every new text is announced
// (see Accessibility.h); so its text is set through setStatus, not setText.
class StatusLine : public QLabel {
public:
    explicit StatusLine(QWidget *parent);

    // Shows the text and tells assistive technology of it, once.
    void setStatus(const QString &text);
};
