#include "app/editor_app.h"

int main(int argc, char** argv) {
    return ze::app::RunEditor(argc, argv);
}
