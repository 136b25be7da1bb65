#include "jdklaunch/ArchiveMaker.h"

namespace jdklaunch {

void makeArchive(const String &program, const Settings &settings, const MakerSystem &system) {
    const String made = archiveInMaking(settings.javacArchive, system.processId);
    const String folder = made + text(".d");
    const String sample = folder + system.separator + sampleFile(".java");
    if (!system.makeFolder(folder))
        return;
    std::string archive;
    if (system.writeFile(sample, sampleSource()) &&
        system.run(program, archiveMakerOptions(settings, made, folder, system.separator)) &&
        system.readFile(made, archive) && system.run(program, archiveCheckOptions(made)) &&
        system.writeFile(archiveSizeFile(settings.javacArchive),
                         archiveRecord(archive.data(), archive.size())))
        system.replace(made, settings.javacArchive);
    system.removeFile(made);
    system.removeFile(sample);
    system.removeFile(folder + system.separator + sampleFile(".class"));
    system.removeFolder(folder);
}

} // namespace jdklaunch
