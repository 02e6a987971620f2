// One executable of the MIDI tool; MIDIAPP_BUILD names the build it is.

#include <QApplication>

#include "midiapp/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  midiapp::Form1 form(midi::Build::MIDIAPP_BUILD);
  if (form.Unloaded()) return 0;  // no MIDI file in the program's folder; start-up said so
  form.show();
  return app.exec();
}
