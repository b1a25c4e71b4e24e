#include "board/Form1.h"

void Form1::M_A_Rxy(const LineTable &) {}

void Form1::CheckArray() {}

void Form1::HowMuchErrors() {}
