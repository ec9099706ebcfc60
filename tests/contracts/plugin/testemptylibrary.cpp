// A shared library that is not a plug-in: the loader must skip it.
extern "C" int kovaTestEmptyLibrary()
{
    return 0;
}
