// The garment dictionary's desktop program.
#include "app/dict_app.h"

int main(int argc, char** argv) {
    CDictApp application(argc, argv);
    application.InitInstance();
    return 0;
}
