package tarneljava.javacserver;

import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.PrintStream;
import java.nio.channels.Channels;
import java.nio.channels.FileChannel;
import java.nio.channels.FileLock;
import java.nio.channels.SocketChannel;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardOpenOption;
import java.security.MessageDigest;
import java.util.Arrays;
import javax.tools.JavaCompiler;
import javax.tools.ToolProvider;

/**
 * The warm compiler of one JDK for one user: javac kept loaded in a JVM of its own, compiling
 * for the javac launcher what javac would compile, printing what javac would print.
 *
 * <p>java -cp tarneljava-javacserver.jar tarneljava.javacserver.JavacServer NAME CONTEXT SAMPLE, in
 * the user's cache folder, the warm-up sample (its class SAMPLE) on its input. NAME is the server's name in the user's
 * private runtime folder; CONTEXT what the launcher's environment says of the messages' language
 * and bytes, which a request must match. One server per NAME (NAME.lock); it ends after ten idle
 * minutes, when its socket or port file goes (the user's session ended), when its JDK changes,
 * and after a compile that ran longer than a minute.
 */
public final class JavacServer {
    static final long IDLE_LIMIT_MS = 10 * 60 * 1000;
    static final long COMPILE_LIMIT_MS = 60 * 1000;
    static final long REQUEST_LIMIT_MS = 5 * 1000;
    static final long CHECK_EVERY_MS = 1000;

    private final JavaCompiler compiler;
    private final String context;
    private final Listener listener;
    private final Object ownFile;
    private final JdkIdentity identity = JdkIdentity.now();
    private final Charset requestCharset;
    private final Charset outputCharset = errorCharset();
    private volatile long lastActive = System.currentTimeMillis();
    private volatile boolean compiling;
    private volatile boolean collected = true;
    private volatile SocketChannel reading;
    private volatile long readingSince;

    private JavacServer(JavaCompiler compiler, String context, Listener listener)
            throws IOException {
        this.compiler = compiler;
        this.context = context;
        this.listener = listener;
        this.ownFile = fileKey(listener.file);
        final boolean windows = System.getProperty("os.name", "").startsWith("Windows");
        this.requestCharset = windows ? StandardCharsets.UTF_8 : charsetOf("sun.jnu.encoding");
    }

    public static void main(String[] args) throws IOException, InterruptedException {
        if (args.length < 3)
            return;
        final String name = args[0];
        final FileChannel lockFile = FileChannel.open(
                Paths.get(name + ".lock"), StandardOpenOption.CREATE, StandardOpenOption.WRITE);
        final FileLock lock = lockFile.tryLock();
        if (lock == null)
            return; // another server of this JDK is at work
        final JavaCompiler compiler = ToolProvider.getSystemJavaCompiler();
        if (compiler == null)
            return;
        WarmUp.run(compiler, args[2], allOf(System.in));
        final Listener listener =
                Listener.open(name, Boolean.getBoolean("tarneljava.javacserver.loopback"));
        final JavacServer server = new JavacServer(compiler, args[1], listener);
        final Thread watch = new Thread(server::watch, "watch");
        watch.setDaemon(true);
        watch.start();
        for (;;)
            server.serveOne();
    }

    private void serveOne() {
        try (SocketChannel caller = listener.channel.accept()) {
            lastActive = System.currentTimeMillis();
            readingSince = lastActive;
            reading = caller;
            final DataInputStream in = new DataInputStream(
                    new BufferedInputStream(Channels.newInputStream(caller)));
            final DataOutputStream out = new DataOutputStream(
                    new BufferedOutputStream(Channels.newOutputStream(caller)));
            final byte[] magic = new byte[Frames.MAGIC.length];
            in.readFully(magic);
            if (!Arrays.equals(magic, Frames.MAGIC))
                return;
            final String secret = Frames.readString(in, StandardCharsets.US_ASCII);
            final String askedContext = Frames.readString(in, requestCharset);
            final String[] options = Frames.readStrings(in, requestCharset, 1);
            final String[] files = Frames.readStrings(in, requestCharset, 2);
            reading = null;
            if (!MessageDigest.isEqual(secret.getBytes(StandardCharsets.US_ASCII),
                                       listener.secret.getBytes(StandardCharsets.US_ASCII)))
                return; // no answer to a caller without the secret
            if (!askedContext.equals(context) || !identity.equals(JdkIdentity.now())) {
                // Built for another language or JDK: it makes way for one that fits.
                Frames.write(out, Frames.DECLINED, new byte[0]);
                end();
            }
            compile(out, options, files);
        } catch (IOException e) {
            // the caller went: it runs javac itself
        } finally {
            reading = null;
            lastActive = System.currentTimeMillis();
        }
    }

    private void compile(DataOutputStream out, String[] options, String[] files)
            throws IOException {
        // Taken at once: javac's API may take a moment to set the compile up.
        Frames.write(out, Frames.ACCEPTED, new byte[0]);
        final Compile compile;
        try {
            compile = new Compile(compiler, new CompileOutput(out, outputCharset, files),
                                  options, files);
        } catch (RuntimeException e) {
            Frames.write(out, Frames.DECLINED, new byte[0]); // options javac's API refuses
            return;
        }
        compiling = true;
        collected = false;
        final Thread thread = new Thread(compile, "javac");
        thread.setDaemon(true);
        thread.start();
        try {
            thread.join(COMPILE_LIMIT_MS);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
        compiling = false;
        if (thread.isAlive()) {
            Frames.write(out, Frames.TIMED_OUT, new byte[0]);
            end();
        }
        if (compile.failure != null)
            end(); // javac itself broke: the launcher runs it cold, and says what it says
        compile.output.flush();
        Frames.writeExit(out, compile.succeeded ? 0 : 1);
    }

    /** Ends the server when it has nothing more to do, or its place is gone. */
    private void watch() {
        for (;;) {
            try {
                Thread.sleep(CHECK_EVERY_MS);
            } catch (InterruptedException e) {
                return;
            }
            final long now = System.currentTimeMillis();
            final SocketChannel caller = reading;
            if (caller != null && now - readingSince > REQUEST_LIMIT_MS) {
                try {
                    caller.close(); // a caller that says nothing holds up the next
                } catch (IOException e) {
                    // closed already
                }
            }
            if (compiling)
                continue;
            if (now - lastActive > IDLE_LIMIT_MS || !ownsItsFile() ||
                !identity.equals(JdkIdentity.now()))
                end();
            if (!collected && now - lastActive > 2 * CHECK_EVERY_MS) {
                collected = true;
                System.gc(); // an idle server gives its heap back
            }
        }
    }

    private boolean ownsItsFile() {
        final Object key = fileKey(listener.file);
        return key != null && key.equals(ownFile);
    }

    private void end() {
        if (ownsItsFile()) {
            try {
                Files.deleteIfExists(listener.file);
            } catch (IOException e) {
                // left for the next server, which replaces it
            }
        }
        Runtime.getRuntime().halt(0);
    }

    private static Object fileKey(Path file) {
        try {
            final Object key = Files.readAttributes(
                    file, java.nio.file.attribute.BasicFileAttributes.class,
                    java.nio.file.LinkOption.NOFOLLOW_LINKS).fileKey();
            // Windows has no file keys: the port file's time stands for it.
            return key != null ? key : Files.getLastModifiedTime(file);
        } catch (IOException e) {
            return null;
        }
    }

    private static String allOf(InputStream in) throws IOException {
        final ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        final byte[] buffer = new byte[8192];
        for (int got; (got = in.read(buffer)) > 0;)
            bytes.write(buffer, 0, got);
        return new String(bytes.toByteArray(), StandardCharsets.UTF_8);
    }

    /** The bytes javac's messages take on their way to the console. */
    private static Charset errorCharset() {
        try {
            return (Charset) PrintStream.class.getMethod("charset").invoke(System.err);
        } catch (ReflectiveOperationException e) {
            final String stderr = System.getProperty("sun.stderr.encoding");
            return stderr != null ? Charset.forName(stderr) : Charset.defaultCharset();
        }
    }

    private static Charset charsetOf(String property) {
        try {
            return Charset.forName(System.getProperty(property));
        } catch (RuntimeException e) {
            return Charset.defaultCharset();
        }
    }
}
