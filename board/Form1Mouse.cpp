#include "board/Form1.h"

void Form1::PaintBMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void Form1::PaintBMouseMove(Qt::KeyboardModifiers, int, int) {}

void Form1::PaintBMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void Form1::playCue(const QString &fileName) {
    MP.play(g.AppDir + fileName);
}
