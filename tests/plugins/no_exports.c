/* A library that is not a plugin: neither VersionInfo nor HandleData. */
int not_a_plugin(void);
int not_a_plugin(void) { return 1; }
