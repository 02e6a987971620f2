// The equal-temperament finder, Orvette101A.

#include <QApplication>

#include "finder/app/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  finder::Form1 form;
  form.show();
  return app.exec();
}
