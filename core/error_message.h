#pragma once

// The program's only way of telling the user something: a top-most modal box
// with no owner window, the caption "Error" and an OK button.
void showErrorMessage(const char* text);
