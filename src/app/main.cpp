// velmora: the course designer.

#include "app/WinMain.h"

int main(int argc, char** argv) {
    return WinMain::ProgramEntry(argc, argv);
}
