#!/usr/bin/perl
# Zan Utility security trigger.
#
# Run by the pre-operation trigger types that Zan Utility installs:
#     ccperl <location>\_qx_security_trigger.pl <view drive> [<administrator list>]
#     perl   <location>/_qx_security_trigger.pl <view drive> [<administrator list>]
# It reads the operation, user, element and VOB from ClearCase's trigger environment and
# the access settings (string attributes "__<operation>" on version /main/0) through
# cleartool. Exit 0 lets the operation proceed silently; exit 1, after one line saying
# why, cancels it.
#
# Written for old Perls too: core only, no say, no //, no lexical file handles.

use strict;
use Fcntl;

my $TITLE = 'Zan Utility';

# Operations whose setting lives on the VOB root directory and covers the whole VOB.
# Matched as whole list entries; repeats are harmless.
my $PRIVILEGED_OPERATIONS = 'mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,'
    . 'mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype';

# Operations that create a new name in a directory: the element has no /main/0 yet, so the
# directory that receives the name carries the setting.
my $NAME_CREATING_OPERATIONS = 'mkelem,mkslink,lnname';

$| = 1;
exit(main(@ARGV));

sub main {
    my ($driveArgument, $adminArgument) = @_;
    my $operation = environment('CLEARCASE_OP_KIND');
    my $user = currentUser();
    my @administrators = commaSplit(defined($adminArgument) ? $adminArgument : '');

    # A post-operation run comes too late to stop anything.
    return 0 if lc(environment('CLEARCASE_TRTYPE_KIND')) eq 'post-operation';

    if ($user eq '') {
        return refuse(($operation eq '' ? 'The operation' : $operation)
            . ' is refused: the user performing it cannot be determined'
            . ' (CLEARCASE_USER is not set).');
    }
    # Administrators pass whatever the settings say; CLEARCASE_OVERRIDE=True adds nothing
    # for them and must never help anybody else, so it plays no part in the decision.
    return 0 if isListed($user, @administrators);

    if ($operation eq '') {
        return refuse("The operation is refused for $user: the trigger environment"
            . ' does not name it (CLEARCASE_OP_KIND is not set).');
    }

    my %target = governingTarget($operation, $driveArgument);
    if ($target{path} eq '') {
        return refuse("$operation $target{label} is refused for $user: the VOB root directory"
            . ' cannot be determined from the trigger environment.');
    }

    my ($readOk, $value, $readError) = readAccessSetting($target{path}, '__' . $operation);
    if (!$readOk) {
        return refuse("$operation $target{label} is refused for $user: its access settings"
            . " could not be read, so nothing is allowed ($readError).");
    }
    return 0 if !defined($value) || allows($value, $user);

    return refuse("$user may not $operation $target{label}; allowed$target{scope}: "
        . whoMay($value, @administrators) . '.');
}

sub refuse {
    my ($reason) = @_;
    $reason =~ s/[\r\n]+/ /g;
    print STDERR "$TITLE: $reason\n";
    return 1;
}

sub environment {
    my ($name) = @_;
    return defined($ENV{$name}) ? $ENV{$name} : '';
}

sub currentUser {
    foreach my $name ('CLEARCASE_USER', 'USERNAME', 'USER') {
        return $ENV{$name} if defined($ENV{$name}) && $ENV{$name} ne '';
    }
    return '';
}

# Every "," splits; empty pieces stay, nothing is trimmed.
sub commaSplit {
    my ($text) = @_;
    return () if $text eq '';
    return split(/,/, $text, -1);
}

# User names compare case-insensitively, non-ASCII letters included when the text is UTF-8.
sub foldCase {
    my ($text) = @_;
    if (defined(&utf8::decode)) {
        my $decoded = $text;
        return lc($decoded) if utf8::decode($decoded);
    }
    return lc($text);
}

sub isListed {
    my ($user, @names) = @_;
    my $folded = foldCase($user);
    foreach my $name (@names) {
        return 1 if $name ne '' && foldCase($name) eq $folded;
    }
    return 0;
}

sub allows {
    my ($value, $user) = @_;
    my @users;
    foreach my $piece (commaSplit($value)) {
        return 1 if $piece eq 'ALL';
        push(@users, $piece) if $piece ne 'NONE';
    }
    return isListed($user, @users);
}

sub whoMay {
    my ($value, @administrators) = @_;
    my @users = grep { $_ ne '' && $_ ne 'NONE' } commaSplit($value);
    my @admins = grep { $_ ne '' } @administrators;
    my $adminText = @admins ? 'the administrators (' . join(', ', @admins) . ')' : '';
    if (!@users) {
        return $adminText eq '' ? 'nobody' : "only $adminText";
    }
    return join(', ', @users) . ($adminText eq '' ? '' : " and $adminText");
}

sub isWholeEntryOf {
    my ($entry, $list) = @_;
    foreach my $piece (split(/,/, $list)) {
        return 1 if $piece eq $entry;
    }
    return 0;
}

# Which version carries the setting for this operation, and how to name it in a message.
sub governingTarget {
    my ($operation, $driveArgument) = @_;
    my $pathName = environment('CLEARCASE_PN');
    my $isTypeTarget = environment('CLEARCASE_MTYPE') =~ /type\s*$/i || $pathName =~ /^\w*type:/i;
    my $elementPath = $isTypeTarget ? '' : elementPathOf($pathName);
    my $vobTag = vobTagOf($elementPath);
    my %target = (vobWide => 0, scope => '');

    if ($isTypeTarget || isWholeEntryOf($operation, $PRIVILEGED_OPERATIONS) || $elementPath eq '') {
        $target{vobWide} = 1;
        $target{path} = vobRootDirectory($driveArgument, $elementPath);
        $target{label} = $elementPath ne '' ? "\"$elementPath\""
            : $vobTag ne '' ? "in VOB $vobTag" : 'in an unknown VOB';
        $target{scope} = " in VOB $vobTag" if $elementPath ne '';
        return %target;
    }
    $target{label} = "\"$elementPath\"";
    $target{path} = isWholeEntryOf($operation, $NAME_CREATING_OPERATIONS)
        ? parentDirectory($elementPath) : $elementPath;
    return %target;
}

sub elementPathOf {
    my ($pathName) = @_;
    $pathName =~ s/\@\@.*$//s;
    return $pathName;
}

# Components of a program-form path: drive, view tag, VOB, then the path inside the VOB.
sub pathComponents {
    my ($path) = @_;
    return () unless $path =~ /^[A-Za-z]:[\\\/]/;
    return split(/[\\\/]+/, $path);
}

sub viewTagOf {
    my ($elementPath) = @_;
    my $tag = environment('CLEARCASE_VIEW_TAG');
    return $tag if $tag ne '';
    my @components = pathComponents($elementPath);
    return @components > 1 ? $components[1] : '';
}

sub vobTagOf {
    my ($elementPath) = @_;
    my $tag = environment('CLEARCASE_VOB_PN');
    return $tag if $tag ne '';
    my @components = pathComponents($elementPath);
    return @components > 2 ? "\\$components[2]" : '';
}

sub vobRootDirectory {
    my ($driveArgument, $elementPath) = @_;
    my $drive = defined($driveArgument) ? $driveArgument : '';
    $drive =~ s/^\s+//;
    $drive =~ s/[\s:\\\/]+$//;
    $drive = 'm' if $drive eq '';
    my $view = viewTagOf($elementPath);
    my $vob = vobTagOf($elementPath);
    return '' if $view eq '' || $vob !~ /[^\\\/]/;
    # Unix clients (interop) have VOB tags such as /vobs/proj and no view drive.
    return "/view/$view$vob/." if $vob =~ /^\//;
    $vob =~ s/^\\+//;
    return "$drive:\\$view\\$vob\\.";
}

sub parentDirectory {
    my ($path) = @_;
    if ($path =~ /^\//) {
        (my $parent = $path) =~ s/\/+[^\/]+\/*$//;
        return $parent ne '' ? $parent : $path;
    }
    my @components = pathComponents($path);
    return $path if @components < 4;
    pop(@components);
    my $parent = join('\\', @components);
    return @components == 3 ? "$parent\\." : $parent;
}

# Returns (read ok, value or undef when the attribute is absent, error text).
sub readAccessSetting {
    my ($path, $attributeName) = @_;
    my ($ok, $output, $error) = runCleartool('describe', '-aattr', '-all', $path . '@@/main/0');
    return (0, undef, $error) unless $ok;
    return (1, attributeValue($output, $attributeName), '');
}

# Output: a header line, "  Attributes:", then "    name = value" lines indented deeper;
# string values keep their double quotes and may contain quotes themselves, so the value
# runs to the last one.
sub attributeValue {
    my ($output, $attributeName) = @_;
    my $sectionIndent = -1;
    foreach my $line (split(/\r?\n/, $output)) {
        my $indent = $line =~ /^(\s*)/ ? length($1) : 0;
        if ($sectionIndent < 0) {
            $sectionIndent = $indent if $line =~ /^\s*Attributes:\s*$/;
            next;
        }
        last if $indent <= $sectionIndent;
        next unless $line =~ /^\s*(\S+) = (.*)$/ && $1 eq $attributeName;
        my $raw = $2;
        return $1 if $raw =~ /^"(.*)"/;
        return $1 if $raw =~ /^"(.*)$/;
        $raw =~ s/\s+$//;
        return $raw;
    }
    return undef;
}

sub cleartoolCommand {
    my $program = environment('ZAN_CLEARTOOL');
    return ('cleartool') if $program eq '';
    return ($^X, $program) if $program =~ /\.pl$/i;
    return ($program);
}

# Runs cleartool without any shell (arguments reach it exactly as given) and collects what
# it writes to both channels through a private temporary file, which works on every
# platform and Perl the trigger meets. Returns (succeeded, output, error text).
sub runCleartool {
    my @command = (cleartoolCommand(), @_);
    my $captureName = openCaptureFile();
    return (0, '', "no temporary file for the cleartool output: $!") if $captureName eq '';

    local (*SAVED_STDOUT, *SAVED_STDERR);
    open(SAVED_STDOUT, '>&STDOUT');
    open(SAVED_STDERR, '>&STDERR');
    open(STDOUT, '>&CAPTURE');
    open(STDERR, '>&CAPTURE');
    my $status = system { $command[0] } @command;
    my $startError = "$!";
    open(STDOUT, '>&SAVED_STDOUT');
    open(STDERR, '>&SAVED_STDERR');
    close(SAVED_STDOUT);
    close(SAVED_STDERR);

    seek(CAPTURE, 0, 0);
    my $output = join('', <CAPTURE>);
    close(CAPTURE);
    unlink($captureName);

    return (0, $output, "cleartool could not be started: $startError") if $status == -1;
    return (1, $output, '') if $status == 0;
    return (0, $output, cleartoolFailure($output, $status));
}

sub cleartoolFailure {
    my ($output, $status) = @_;
    my @lines = grep { /\S/ } split(/\r?\n/, $output);
    my $detail = @lines ? $lines[-1] : 'no message';
    $detail =~ s/^\s+|\s+$//g;
    return "cleartool failed with exit status " . ($status >> 8) . ": $detail";
}

# Creates the capture file exclusively (never follows a planted link); returns its name.
sub openCaptureFile {
    my $folder = environment('TMPDIR');
    $folder = environment('TEMP') if $folder eq '';
    $folder = environment('TMP') if $folder eq '';
    $folder = ($^O eq 'MSWin32' ? '.' : '/tmp') if $folder eq '';
    foreach my $attempt (1 .. 20) {
        my $name = "$folder/zan_trigger_$$" . '_' . time() . "_$attempt.out";
        return $name if sysopen(CAPTURE, $name, O_RDWR | O_CREAT | O_EXCL, 0600);
    }
    return '';
}
