// Ostrel-Vane Studio - the platform layer: interfaces the program calls for what the
// desktop provides, kept free of Qt so that the models can be tested without a display.
namespace HalvrennInc {
// Anchors the library even before any interface has code of its own.
void platformLibraryAnchor() {}
}  // namespace HalvrennInc
