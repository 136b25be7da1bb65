package tarneljava.javacserver;

import java.io.ByteArrayOutputStream;
import java.io.OutputStream;
import java.io.StringWriter;
import java.net.URI;
import java.util.Arrays;
import java.util.Collections;
import javax.tools.FileObject;
import javax.tools.ForwardingJavaFileManager;
import javax.tools.JavaCompiler;
import javax.tools.JavaFileManager;
import javax.tools.JavaFileObject;
import javax.tools.SimpleJavaFileObject;
import javax.tools.StandardJavaFileManager;

/**
 * A few compiles of a sample in memory before the server answers, so that the first compile
 * it is asked for finds javac's classes loaded and its busiest code compiled.
 */
final class WarmUp {
    private static final int ROUNDS = 6;

    private WarmUp() {}

    static void run(JavaCompiler compiler, String className, String source) {
        if (source.isEmpty())
            return;
        final JavaFileObject unit = new SimpleJavaFileObject(
                URI.create("string:///" + className + ".java"), JavaFileObject.Kind.SOURCE) {
            @Override
            public CharSequence getCharContent(boolean ignoreEncodingErrors) {
                return source;
            }
        };
        for (int round = 0; round < ROUNDS; ++round) {
            try (StandardJavaFileManager files =
                         compiler.getStandardFileManager(null, null, null);
                 JavaFileManager discarding = new Discarding(files)) {
                compiler.getTask(new StringWriter(), discarding, null,
                                 Arrays.asList("-proc:none"), null,
                                 Collections.singletonList(unit))
                        .call();
            } catch (Exception | LinkageError e) {
                return;
            }
        }
    }

    /** Class files written nowhere. */
    private static final class Discarding extends ForwardingJavaFileManager<JavaFileManager> {
        Discarding(JavaFileManager files) {
            super(files);
        }

        @Override
        public JavaFileObject getJavaFileForOutput(Location location, String name,
                                                   JavaFileObject.Kind kind,
                                                   FileObject sibling) {
            return new SimpleJavaFileObject(URI.create("memory:///" + name + kind.extension),
                                            kind) {
                @Override
                public OutputStream openOutputStream() {
                    return new ByteArrayOutputStream();
                }
            };
        }
    }
}
