// _APPNAME_.cpp: the entry point of _APPNAME_.
#include "_APPNAME_Application.h"

int main(int argc, char** argv) {
    _APPNAME_Application application;
    return application.Run(argc, argv);
}
