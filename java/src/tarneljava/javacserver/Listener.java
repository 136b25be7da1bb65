package tarneljava.javacserver;

import java.io.IOException;
import java.lang.reflect.Method;
import java.net.InetAddress;
import java.net.InetSocketAddress;
import java.net.ProtocolFamily;
import java.net.SocketAddress;
import java.net.StandardProtocolFamily;
import java.nio.channels.ServerSocketChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.PosixFilePermissions;
import java.security.SecureRandom;

/**
 * Where the server listens, answering only its user: a local socket (NAME.sock) in the user's
 * private runtime folder where the JDK can open one (16 and later, not on Windows), else a
 * loopback port, written with a secret to NAME.port ("port secret"), a file only the user can
 * read; a caller then proves the secret.
 */
final class Listener {
    final ServerSocketChannel channel;
    /** The file that names the server: the socket, or the port file. */
    final Path file;
    /** Empty for a local socket: its folder is the user's alone. */
    final String secret;

    private Listener(ServerSocketChannel channel, Path file, String secret) {
        this.channel = channel;
        this.file = file;
        this.secret = secret;
    }

    static Listener open(String name, boolean loopbackOnly) throws IOException {
        if (!loopbackOnly && !System.getProperty("os.name", "").startsWith("Windows")) {
            final Listener local = openLocal(Paths.get(name + ".sock"));
            if (local != null)
                return local;
        }
        return openLoopback(Paths.get(name + ".port"));
    }

    /** A local socket, through reflection: the server is built for Java 8. */
    private static Listener openLocal(Path socket) {
        try {
            final Class<?> address = Class.forName("java.net.UnixDomainSocketAddress");
            final Method of = address.getMethod("of", Path.class);
            final Method open = ServerSocketChannel.class.getMethod("open", ProtocolFamily.class);
            final ServerSocketChannel channel = (ServerSocketChannel) open.invoke(
                    null, StandardProtocolFamily.valueOf("UNIX"));
            Files.deleteIfExists(socket); // a dead server's: the lock is this one's
            channel.bind((SocketAddress) of.invoke(null, socket));
            return new Listener(channel, socket, "");
        } catch (ReflectiveOperationException | IllegalArgumentException | IOException
                 | UnsupportedOperationException e) {
            return null;
        }
    }

    private static Listener openLoopback(Path portFile) throws IOException {
        final ServerSocketChannel channel = ServerSocketChannel.open();
        channel.bind(new InetSocketAddress(InetAddress.getLoopbackAddress(), 0), 8);
        final byte[] random = new byte[24];
        new SecureRandom().nextBytes(random);
        final StringBuilder secret = new StringBuilder();
        for (byte b : random)
            secret.append(String.format("%02x", b & 0xff));
        final int port = ((InetSocketAddress) channel.getLocalAddress()).getPort();
        final Path written = portFile.resolveSibling(portFile.getFileName() + ".new");
        Files.deleteIfExists(written);
        try {
            Files.createFile(written, PosixFilePermissions.asFileAttribute(
                                              PosixFilePermissions.fromString("rw-------")));
        } catch (UnsupportedOperationException e) {
            Files.createFile(written); // Windows: the user's own folder
        }
        Files.write(written, (port + " " + secret + "\n").getBytes(StandardCharsets.US_ASCII));
        Files.move(written, portFile, StandardCopyOption.REPLACE_EXISTING,
                   StandardCopyOption.ATOMIC_MOVE);
        return new Listener(channel, portFile, secret.toString());
    }
}
