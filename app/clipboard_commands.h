// Cut, Copy, Paste, Duplicate and Select All. The clipboard carries the items
// in a format of the editor's own ("QZT Level Editor items") and as JSON
// text in the shape of "qztlevel info"'s lists; Paste takes either, so items
// copied in one editor paste into another with their pictures and programs.
#pragma once

namespace qzt {

void cutCommand();
void copyCommand();
// atPointer: at the pointer when it is over the view; else beside where they
// were copied.
void pasteCommand(bool atPointer);
// Copy and Paste in one step, beside the original, the clipboard left alone.
void duplicateCommand();
void selectAllCommand();

// Whether the clipboard holds something Paste may take.
bool clipboardHasItems();

}  // namespace qzt
