#include "ui/startup/StartUpOnly.h"

// Where there is no desktop toolkit the program is its start-up alone.
int main(int argc, char** argv)
{
    return RunStartUpOnly(argc, argv);
}
