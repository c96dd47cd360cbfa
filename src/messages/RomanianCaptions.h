#pragma once
// Our own captions on Qt's standard dialogs ("Da", "Nu", "OK", "Renunta"): the distribution's Qt
// translations have no Romanian file for them. Call after the dialog's buttons are set.

class QFileDialog;
class QMessageBox;
class QProgressDialog;

namespace vornel::RomanianCaptions {

void apply(QMessageBox& box);
// The dialog becomes Qt's own (not the desktop's), whose labels can be set. `accept` is the
// caption of its accepting button ("Salveaza", "Deschide").
void apply(QFileDialog& dialog, const char* accept);
void apply(QProgressDialog& dialog);

} // namespace vornel::RomanianCaptions
