// Program entry: grows into the full start-up (main window, then data module).
int main() { return 0; }
