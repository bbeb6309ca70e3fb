// The application library of the desktop program.
int KtAppLibrary() { return 1; }
