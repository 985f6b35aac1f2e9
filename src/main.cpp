#include "ui/CLumen2App.h"

int main(int argc, char** argv) {
  return orbis::CLumen2App::run(argc, argv);
}
