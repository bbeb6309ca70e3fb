// The widgets library of the desktop program.
int KtUiLibrary() { return 1; }
