// GL and audio drivers are loaded with dlopen and unloaded when their last context goes.
// Unloading unmaps the driver's globals, so LeakSanitizer then reports every block
// they still pointed to as a leak in an unknown module, which no suppression can name.
// The tests keep every library loaded until the process ends instead; this definition
// takes the place of the C library's for the whole test process.
extern "C" int dlclose(void*) {
    return 0;
}
