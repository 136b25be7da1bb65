package tarneljava.javacserver;

import java.io.IOException;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import javax.tools.JavaCompiler;
import javax.tools.StandardJavaFileManager;

/** One compile through javac's API: its options, its files by their whole paths. */
final class Compile implements Runnable {
    final CompileOutput output;
    private final StandardJavaFileManager files;
    private final JavaCompiler.CompilationTask task;
    volatile boolean succeeded;
    volatile Throwable failure;

    Compile(JavaCompiler compiler, CompileOutput output, String[] options, String[] wholeAndShown) {
        this.output = output;
        final List<String> paths = new ArrayList<>();
        for (int i = 0; i < wholeAndShown.length; i += 2)
            paths.add(wholeAndShown[i]);
        files = compiler.getStandardFileManager(null, null, null);
        task = compiler.getTask(output, files, null, Arrays.asList(options), null,
                                files.getJavaFileObjectsFromStrings(paths));
    }

    @Override
    public void run() {
        try {
            succeeded = Boolean.TRUE.equals(task.call());
        } catch (RuntimeException | Error e) {
            failure = e;
        } finally {
            try {
                files.close();
            } catch (IOException e) {
                // nothing left to read
            }
        }
    }
}
