package tarneljava.javacserver;

import java.io.File;
import java.util.Objects;

/**
 * The files of the server's JDK that change when the JDK is updated in its folder: their sizes
 * and times. A server whose JDK changed under it ends; the launcher runs javac itself.
 */
final class JdkIdentity {
    private final String record;

    private JdkIdentity(String record) {
        this.record = record;
    }

    static JdkIdentity now() {
        final String home = System.getProperty("java.home", "");
        final StringBuilder record = new StringBuilder();
        // JDK 8's java.home is its jre folder.
        for (String file : new String[] {"lib/modules", "release", "../release", "lib/rt.jar",
                                         "../lib/tools.jar"}) {
            final File entry = new File(home, file);
            record.append(file).append(' ').append(entry.length()).append(' ')
                    .append(entry.lastModified()).append('\n');
        }
        return new JdkIdentity(record.toString());
    }

    @Override
    public boolean equals(Object other) {
        return other instanceof JdkIdentity && ((JdkIdentity) other).record.equals(record);
    }

    @Override
    public int hashCode() {
        return Objects.hashCode(record);
    }
}
