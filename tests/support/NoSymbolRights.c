/* A library at the rights library's path that lacks its function. */
__attribute__((visibility("default"))) int qelSomethingElse(void) { return 0; }
