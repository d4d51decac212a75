// Linked with every object of the toolkit's libraries (web/CMakeLists.txt),
// so that a GL, GLU or GLUT call of the toolkit that the browser layer lacks
// fails the build, before any project of its own meets it.
int main() { return 0; }
