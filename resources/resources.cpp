// The resources library holds only compiled-in files; this unit gives it something to archive.
namespace resources {
int anchor = 0;
}
