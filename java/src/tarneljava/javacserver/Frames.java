package tarneljava.javacserver;

import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.nio.charset.Charset;

/**
 * The compile server's conversation with the javac launcher. The launcher asks with "TJC1" and
 * strings (a 4-byte big-endian length, then the bytes): the secret, the context, the options,
 * the files. The server answers in frames: a type byte, a 4-byte big-endian length, the bytes.
 */
final class Frames {
    static final byte[] MAGIC = {'T', 'J', 'C', '1'};
    /** Taken: javac's output and its exit code follow. */
    static final byte ACCEPTED = 'A';
    /** javac's output, in the bytes the cold javac would print. */
    static final byte OUTPUT = 'O';
    /** javac's exit code, 4 bytes. */
    static final byte EXIT = 'X';
    /** Not taken (also right after ACCEPTED, for options javac's API refuses): the launcher
     * runs javac itself. */
    static final byte DECLINED = 'N';
    /** The compile ran too long; the server ends. */
    static final byte TIMED_OUT = 'T';

    private static final int MOST_BYTES = 1 << 20;
    private static final int MOST_STRINGS = 4096;

    private Frames() {}

    static String readString(DataInputStream in, Charset charset) throws IOException {
        final int length = in.readInt();
        if (length < 0 || length > MOST_BYTES)
            throw new IOException("string of " + length + " bytes");
        final byte[] bytes = new byte[length];
        in.readFully(bytes);
        return new String(bytes, charset);
    }

    static String[] readStrings(DataInputStream in, Charset charset, int perEntry)
            throws IOException {
        final int count = in.readInt();
        if (count < 0 || count > MOST_STRINGS)
            throw new IOException(count + " strings");
        final String[] strings = new String[count * perEntry];
        for (int i = 0; i < strings.length; ++i)
            strings[i] = readString(in, charset);
        return strings;
    }

    static void write(DataOutputStream out, byte type, byte[] bytes) throws IOException {
        out.writeByte(type);
        out.writeInt(bytes.length);
        out.write(bytes);
        out.flush();
    }

    static void writeExit(DataOutputStream out, int code) throws IOException {
        out.writeByte(EXIT);
        out.writeInt(4);
        out.writeInt(code);
        out.flush();
    }
}
