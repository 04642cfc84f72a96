#include "export/DExport.h"

// The headless export on its own: it links the core only, so it runs where
// the widget toolkit is not installed. kaleidocircle --export runs the same
// code in-process.
int main(int argc, char* argv[])
{
    return DExport::Main(argc, argv);
}
